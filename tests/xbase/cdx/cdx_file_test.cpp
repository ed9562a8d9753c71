// The compound file around the tags: headers we write, the change counter and refresh()
// between two openers, refused arguments, and tags we must not update.
#include <gtest/gtest.h>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/common/file.h"

namespace {

using namespace xbase::cdx;

std::unique_ptr<CdxFile> createAt(const std::string& path) {
  std::unique_ptr<xbase::File> file;
  EXPECT_TRUE(xbase::FileSystem::real().create(path, &file).isOk());
  std::unique_ptr<CdxFile> cdx;
  xbase::Status st = CdxFile::create(std::move(file), &cdx);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return cdx;
}

std::unique_ptr<CdxFile> openShared(const std::string& path) {
  std::unique_ptr<xbase::File> file;
  EXPECT_TRUE(xbase::FileSystem::real().open(path, xbase::OpenMode::Shared, &file).isOk());
  std::unique_ptr<CdxFile> cdx;
  EXPECT_TRUE(CdxFile::open(std::move(file), &cdx).isOk());
  return cdx;
}

KeyList keysOf(uint16_t keyLength, const std::vector<std::string>& keys) {
  KeyList list(keyLength);
  uint32_t recno = 0;
  for (const auto& k : keys) list.add(k, ++recno);
  return list;
}

const uint8_t* at(const std::string& bytes, size_t offset) {
  return reinterpret_cast<const uint8_t*>(bytes.data()) + offset;
}

// The tags of MULTI.cdx built anew must carry the same header fields as the other runtime
// wrote (its extras at 16-23 aside), and the file must list, sort and reopen them.
TEST(CdxFile, NewTagsCarryTheHeadersOfTheOtherRuntime) {
  testsupport::TempDir dir;
  const std::string path = dir / "MULTI.cdx";
  const std::vector<TagSpec> wanted = {
      {"BYNUM", "NUMMER", "", 15, false, false, ' '},
      {"BYPRICE", "NETTO", "", 8, false, false, '\0'},
      {"BYDATE", "LETZTDAT", "", 8, false, false, '\0'},
      {"ACTIVE", "NUMMER", "MIT_MENGE", 15, false, false, ' '},
      {"uniqgrp", "WAGRU", "", 10, true, false, ' '},
  };
  {
    auto cdx = createAt(path);
    ASSERT_TRUE(cdx);
    for (const auto& s : wanted) {
      ASSERT_TRUE(cdx->addTag(s, keysOf(s.keyLength, {std::string(s.keyLength, 'K')})).isOk());
    }
    ASSERT_TRUE(cdx->flush().isOk());
  }
  const std::string ours = testsupport::readFile(path);
  const std::string theirs =
      testsupport::readFile(testsupport::fixturesDir() / "xbase" / "MULTI.cdx");
  EXPECT_EQ(ours.size() % 512, 0u);
  EXPECT_EQ(cdxtest::hex(ours.substr(12, 4)), cdxtest::hex(theirs.substr(12, 4)));
  EXPECT_EQ(cdxtest::hex(ours.substr(494, 530)), cdxtest::hex(theirs.substr(494, 530)));
  EXPECT_EQ(getBe32(at(ours, 8)), 1u) << "change counter after one flush";

  auto cdx = cdxtest::openCdx(path);
  ASSERT_TRUE(cdx);
  ASSERT_EQ(cdx->tagCount(), wanted.size());
  auto fixture = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / "MULTI.cdx");
  for (size_t i = 0; i < wanted.size(); ++i) {
    const TagInfo& info = cdx->tag(i).info();
    SCOPED_TRACE(info.name);
    const TagInfo& want = fixture->tag(i).info();
    EXPECT_EQ(info.name, want.name);
    EXPECT_EQ(info.keyExpr, want.keyExpr);
    EXPECT_EQ(info.forExpr, want.forExpr);
    EXPECT_EQ(info.options, want.options);
    EXPECT_EQ(cdxtest::hex(ours.substr(info.headerOffset + 12, 4)),
              cdxtest::hex(theirs.substr(want.headerOffset + 12, 4)));
    EXPECT_EQ(cdxtest::hex(ours.substr(info.headerOffset + 494, 530)),
              cdxtest::hex(theirs.substr(want.headerOffset + 494, 530)));
    EXPECT_EQ(info.headerOffset % 512, 0u);
    if (i) {
      EXPECT_GT(info.headerOffset, cdx->tag(i - 1).info().headerOffset);
    }
  }
  // The directory leaf holds the blank-padded names sorted, each with its header offset.
  Page directory;
  ASSERT_TRUE(decodePage(at(ours, getLe32(at(ours, 0))), 1024, 10, ' ', "t", &directory).isOk());
  ASSERT_EQ(directory.count(), 5u);
  const std::vector<std::string> sorted = {"ACTIVE", "BYDATE", "BYNUM", "BYPRICE", "UNIQGRP"};
  for (size_t i = 0; i < sorted.size(); ++i) {
    std::string padded = sorted[i];
    padded.resize(10, ' ');
    EXPECT_EQ(directory.key(i), padded);
    EXPECT_EQ(directory.recnos[i], cdx->findTag(sorted[i])->info().headerOffset);
  }
}

TEST(CdxFile, DescendingFlagAndEmptyTag) {
  testsupport::TempDir dir;
  const std::string path = dir / "d.cdx";
  {
    auto cdx = createAt(path);
    ASSERT_TRUE(cdx->addTag({"DOWN", "NETTO", "", 8, false, true, '\0'}, KeyList(8)).isOk());
    ASSERT_TRUE(cdx->flush().isOk());
  }
  auto cdx = cdxtest::openCdx(path);
  Tag& down = cdx->tag(0);
  EXPECT_TRUE(down.info().descending);
  EXPECT_EQ(getLe16(at(testsupport::readFile(path), down.info().headerOffset + 502)), 1);
  Tag::Cursor c;
  ASSERT_TRUE(down.first(c).isOk());
  EXPECT_FALSE(c.valid);
  EXPECT_EQ(down.remove(encodeNumberKey(1), 1).code(), xbase::Status::Code::NotFound);
  uint64_t keys = 1;
  EXPECT_TRUE(down.check(&keys).isOk());
  EXPECT_EQ(keys, 0u);
}

TEST(CdxFile, RefreshSeesWhatAnotherOpenerWrote) {
  testsupport::TempDir dir;
  const std::string path = dir / "shared.cdx";
  {
    auto cdx = createAt(path);
    std::vector<std::string> keys;
    for (int i = 0; i < 2000; ++i) keys.push_back("K" + std::to_string(100000 + 2 * i) + "   ");
    ASSERT_TRUE(cdx->addTag({"NUM", "NUMMER", "", 10, false, false, ' '}, keysOf(10, keys)).isOk());
    ASSERT_TRUE(cdx->flush().isOk());
  }
  auto writer = openShared(path);
  auto reader = openShared(path);
  Tag& theirs = reader->tag(0);
  Tag::Cursor c;
  ASSERT_TRUE(theirs.seekGE("K100010", 0, c).isOk());
  ASSERT_EQ(c.recno, 6u);
  const std::string counterBefore = testsupport::readFile(path).substr(4, 8);

  // Nothing changed: no flush writes, the counter stays.
  ASSERT_TRUE(writer->flush().isOk());
  EXPECT_EQ(testsupport::readFile(path).substr(4, 8), counterBefore);

  for (int i = 0; i < 500; ++i)
    ASSERT_TRUE(
        writer->tag(0).insert("K" + std::to_string(100001 + 2 * i) + "   ", 3000 + i).isOk());
  ASSERT_TRUE(
      writer->addTag({"SECOND", "X", "", 4, false, false, ' '}, keysOf(4, {"ABCD"})).isOk());
  ASSERT_TRUE(writer->flush().isOk());
  EXPECT_EQ(getBe32(at(testsupport::readFile(path), 8)),
            getBe32(reinterpret_cast<const uint8_t*>(counterBefore.data()) + 4) + 1);

  ASSERT_TRUE(reader->refresh().isOk());
  ASSERT_EQ(reader->tagCount(), 2u);
  EXPECT_EQ(&reader->tag(0), &theirs) << "a tag object stays valid across refresh";
  ASSERT_TRUE(theirs.next(c).isOk());
  EXPECT_EQ(c.key, "K100011   ");
  EXPECT_EQ(c.recno, 3005u);
  uint64_t keys = 0;
  ASSERT_TRUE(theirs.check(&keys).isOk());
  EXPECT_EQ(keys, 2500u);
  EXPECT_EQ(cdxtest::walk(reader->tag(1)).size(), 1u);

  // Our own unwritten changes and another program's changes cannot both be kept.
  ASSERT_TRUE(theirs.insert("K999999   ", 9999).isOk());
  ASSERT_TRUE(writer->tag(0).remove("K100000   ", 1).isOk());
  ASSERT_TRUE(writer->flush().isOk());
  EXPECT_EQ(reader->refresh().code(), xbase::Status::Code::InvalidArgument);
}

TEST(CdxFile, RefreshOfADamagedFileDisablesTheTagsUntilItIsSound) {
  testsupport::TempDir dir;
  const std::string path = dir / "shared.cdx";
  {
    auto cdx = createAt(path);
    ASSERT_TRUE(
        cdx->addTag({"NUM", "N", "", 4, false, false, ' '}, keysOf(4, {"AAAA", "BBBB"})).isOk());
    ASSERT_TRUE(cdx->flush().isOk());
  }
  auto reader = openShared(path);
  Tag& tag = reader->tag(0);
  ASSERT_EQ(cdxtest::walk(tag).size(), 2u);
  const std::string sound = testsupport::readFile(path);
  // Another program leaves a tag header with key length 0 and counts the change.
  std::string damaged = sound;
  putBe32(reinterpret_cast<uint8_t*>(damaged.data()) + 8, 7);
  putLe16(reinterpret_cast<uint8_t*>(damaged.data()) + tag.info().headerOffset + 12, 0);
  testsupport::writeFile(path, damaged);
  EXPECT_EQ(reader->refresh().code(), xbase::Status::Code::Corruption);
  Tag::Cursor c;
  EXPECT_FALSE(tag.first(c).isOk()) << "no page cached before the change may be used";
  EXPECT_FALSE(tag.insert("CCCC", 3).isOk());

  std::string repaired = sound;
  putBe32(reinterpret_cast<uint8_t*>(repaired.data()) + 8, 8);
  testsupport::writeFile(path, repaired);
  ASSERT_TRUE(reader->refresh().isOk());
  EXPECT_EQ(&reader->tag(0), &tag);
  EXPECT_EQ(cdxtest::walk(tag).size(), 2u);
}

TEST(CdxFile, RefusedArguments) {
  testsupport::TempDir dir;
  auto cdx = createAt(dir / "args.cdx");
  ASSERT_TRUE(cdx->addTag({"TAKEN", "A", "", 4, false, false, ' '}, keysOf(4, {"ABCD"})).isOk());
  ASSERT_TRUE(cdx->flush().isOk());
  const std::string before = testsupport::readFile(dir / "args.cdx");
  using Code = xbase::Status::Code;
  struct Case {
    const char* what;
    std::string name;
    uint16_t keyLength;
    std::function<KeyList()> keys;
    Code code;
    std::string forExpr = "";
  };
  auto oneKey = [](uint16_t length, std::string key, uint32_t recno) {
    return [=] {
      KeyList l(length);
      l.add(key, recno);
      return l;
    };
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"empty name", "", 4, oneKey(4, "ABCD", 1), Code::InvalidArgument},
      {"name of 11 characters", "ABCDEFGHIJK", 4, oneKey(4, "ABCD", 1), Code::InvalidArgument},
      {"blank in the name", "A B", 4, oneKey(4, "ABCD", 1), Code::InvalidArgument},
      {"name taken (other case)", "taken", 4, oneKey(4, "ABCD", 1), Code::InvalidArgument},
      {"key length 0", "ZERO", 0, [] { return KeyList(0); }, Code::InvalidArgument},
      {"key length 241", "WIDE", 241, oneKey(241, std::string(241, 'A'), 1), Code::InvalidArgument},
      {"list of another key length", "OTHER", 4, oneKey(5, "ABCDE", 1), Code::InvalidArgument},
      {"key of the wrong length", "SHORT", 4, oneKey(4, "ABC", 1), Code::InvalidArgument},
      {"expressions beyond the pool", "LONG", 4, oneKey(4, "ABCD", 1), Code::InvalidArgument, std::string(510, 'F')},
      {"record number beyond 4-byte entries", "BIG", 240, oneKey(240, std::string(240, 'A'), 1u << 30), Code::NotSupported},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TagSpec tag{c.name, "A", c.forExpr, c.keyLength, false, false, ' '};
    EXPECT_EQ(cdx->addTag(tag, c.keys()).code(), c.code);
  }
  EXPECT_EQ(cdx->tagCount(), 1u);
  ASSERT_TRUE(cdx->flush().isOk());
  EXPECT_EQ(testsupport::readFile(dir / "args.cdx"), before);

  Tag& tag = cdx->tag(0);
  EXPECT_EQ(tag.insert("ABC", 2).code(), Code::InvalidArgument);
  EXPECT_EQ(tag.remove("ABCDE", 1).code(), Code::InvalidArgument);
  Tag::Cursor c;
  EXPECT_EQ(tag.seekGE("ABCDE", 0, c).code(), Code::InvalidArgument);
  EXPECT_EQ(tag.insert("ABCD", maxRecnoFor(4) + 1).code(), Code::NotSupported);

  cdx.reset();
  std::unique_ptr<xbase::File> file;
  ASSERT_TRUE(
      xbase::FileSystem::real().open(dir / "args.cdx", xbase::OpenMode::Shared, &file).isOk());
  std::unique_ptr<CdxFile> again;
  EXPECT_EQ(CdxFile::create(std::move(file), &again).code(), Code::InvalidArgument)
      << "not an empty file";
}

TEST(CdxFile, ForeignCollationIsReadButNotUpdated) {
  testsupport::TempDir dir;
  std::string bytes = testsupport::readFile(testsupport::fixturesDir() / "xbase" / "DNORMWGR.cdx");
  bytes.replace(0x600 + 494, 6, "GERMAN");
  testsupport::writeFile(dir / "w.cdx", bytes);
  auto cdx = cdxtest::openCdx(dir / "w.cdx");
  Tag& tag = cdx->tag(0);
  EXPECT_TRUE(tag.info().foreignCollation);
  EXPECT_EQ(cdxtest::walk(tag).size(), 8u);
  EXPECT_EQ(tag.insert("XYZ", 9).code(), xbase::Status::Code::NotSupported);
  EXPECT_EQ(tag.remove("001", 2).code(), xbase::Status::Code::NotSupported);
  ASSERT_TRUE(cdx->flush().isOk());
  EXPECT_EQ(testsupport::readFile(dir / "w.cdx"), bytes);
}

TEST(CdxFile, FillSetAfterReadingDecodesAgain) {
  auto cdx = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / "MULTI.cdx");
  Tag& price = *cdx->findTag("BYPRICE");
  const std::string zero = encodeNumberKey(0);
  Tag::Cursor c;
  ASSERT_TRUE(price.seekGE(zero, 0, c).isOk());
  EXPECT_NE(c.key, zero) << "blank fill rebuilds the trailing zeros wrongly";
  price.setFill('\0');
  ASSERT_TRUE(price.seekGE(zero, 0, c).isOk());
  EXPECT_EQ(c.key, zero);
  uint64_t keys = 0;
  EXPECT_TRUE(price.check(&keys).isOk());
}

}  // namespace
