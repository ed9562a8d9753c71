// Damaged index files: every case must end in a Status naming the file, never in a crash, a
// hang or a write.
#include <gtest/gtest.h>

#include <functional>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/byte_order.h"
#include "xbase/common/memory_file.h"

namespace {

using namespace xbase::cdx;

// A file in memory that counts the writes made to it.
class WatchedFile final : public xbase::File {
 public:
  WatchedFile(std::string bytes, int* writes)
      : m_file("damaged.cdx", std::move(bytes)), m_writes(writes) {}
  xbase::Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override {
    return m_file.readAt(offset, buf, n, got);
  }
  xbase::Status writeAt(uint64_t offset, const void* buf, size_t n) override {
    ++*m_writes;
    return m_file.writeAt(offset, buf, n);
  }
  xbase::Status size(uint64_t* out) override { return m_file.size(out); }
  xbase::Status truncate(uint64_t size) override { return m_file.truncate(size); }
  xbase::Status sync() override { return m_file.sync(); }
  xbase::Status lockRange(uint64_t o, uint64_t l, xbase::LockType t) override {
    return m_file.lockRange(o, l, t);
  }
  xbase::Status unlockRange(uint64_t o, uint64_t l) override { return m_file.unlockRange(o, l); }
  const std::string& path() const override { return m_file.path(); }

 private:
  xbase::MemoryFile m_file;
  int* m_writes;
};

// Opens the bytes and reads every tag every way; the first failure.
xbase::Status readEverything(const std::string& bytes, int* writes) {
  std::unique_ptr<CdxFile> cdx;
  XBASE_RETURN_IF_ERROR(CdxFile::open(std::make_unique<WatchedFile>(bytes, writes), &cdx));
  for (size_t i = 0; i < cdx->tagCount(); ++i) {
    Tag& tag = cdx->tag(i);
    Tag::Cursor c;
    XBASE_RETURN_IF_ERROR(tag.first(c));
    while (c.valid) XBASE_RETURN_IF_ERROR(tag.next(c));
    XBASE_RETURN_IF_ERROR(tag.last(c));
    while (c.valid) XBASE_RETURN_IF_ERROR(tag.prev(c));
    for (const char* key : {"", "0", "A", "x9", "\xFF"})
      XBASE_RETURN_IF_ERROR(tag.seekGE(key, 0, c));
    uint64_t keys = 0;
    XBASE_RETURN_IF_ERROR(tag.check(&keys));
  }
  return xbase::Status::ok();
}

class Bytes {
 public:
  explicit Bytes(std::string& b) : m_b(b) {}
  uint8_t* at(size_t offset) { return reinterpret_cast<uint8_t*>(m_b.data()) + offset; }
  uint32_t le32(size_t offset) { return getLe32(at(offset)); }

 private:
  std::string& m_b;
};

// LANUM.cdx: directory at 0, tag header at 0x600, three levels: a root, two interior pages,
// 34 leaves.
constexpr uint32_t kTag = 0x600;

struct Case {
  const char* what;
  std::function<void(std::string&)> damage;
  const char* expect;  // part of the message
};

TEST(CdxCorruption, DamagedFilesGiveAStatus) {
  const std::string pristine =
      testsupport::readFile(testsupport::fixturesDir() / "xbase" / "LANUM.cdx");
  const uint32_t size = static_cast<uint32_t>(pristine.size());
  const auto leaf = cdxtest::leafOffsets(pristine, kTag);
  std::string copy = pristine;
  const uint32_t root = Bytes(copy).le32(kTag);
  const uint32_t interior = getBe32(Bytes(copy).at(root + 12 + 15 + 4));  // first child of the root
  auto at = [](std::string& b, size_t offset) { return Bytes(b).at(offset); };
  const std::vector<Case> cases = {
      {"truncated inside the header", [](std::string& b) { b.resize(700); }, "size"},
      {"truncated inside a page", [](std::string& b) { b.resize(b.size() - 100); }, "size"},
      {"truncated: the leaves are gone", [&](std::string& b) { b.resize(root + 512); }, "offset"},
      {"root outside the file", [&](std::string& b) { putLe32(at(b, kTag), size + 512); },
       "offset"},
      {"root not on a page boundary", [&](std::string& b) { putLe32(at(b, kTag), root + 1); },
       "offset"},
      {"directory root outside the file", [&](std::string& b) { putLe32(at(b, 0), 0x7FFFFE00); },
       "offset"},
      {"child outside the file",
       [&](std::string& b) { putBe32(at(b, root + 12 + 19), 0x7FFFFE00); }, "offset"},
      {"child pointing to the root", [&](std::string& b) { putBe32(at(b, root + 12 + 19), root); },
       "loop"},
      {"child pointing to its parent",
       [&](std::string& b) { putBe32(at(b, interior + 12 + 19), interior); }, "loop"},
      {"right siblings in a circle", [&](std::string& b) { putLe32(at(b, leaf[2] + 8), leaf[0]); },
       "loop"},
      {"left sibling pointing to itself",
       [&](std::string& b) { putLe32(at(b, leaf[1] + 4), leaf[1]); }, "offset"},
      {"sibling that is an interior page",
       [&](std::string& b) { putLe32(at(b, leaf[0] + 8), interior); }, "sibling"},
      {"key length 0", [](std::string& b) { putLe16(Bytes(b).at(kTag + 12), 0); }, "key length"},
      {"key length 241", [](std::string& b) { putLe16(Bytes(b).at(kTag + 12), 241); },
       "key length"},
      {"directory key length 12", [](std::string& b) { putLe16(Bytes(b).at(12), 12); },
       "key length"},
      {"leaf widths not adding up", [&](std::string& b) { ++*at(b, leaf[0] + 20); }, "widths"},
      {"leaf entry size 5", [&](std::string& b) { *at(b, leaf[0] + 23) = 5; }, "entry size"},
      {"leaf mask not matching", [&](std::string& b) { *at(b, leaf[0] + 18) = 0x07; }, "masks"},
      {"leaf free space wrong", [&](std::string& b) { ++*at(b, leaf[0] + 12); }, "free space"},
      {"leaf counts beyond the key", [&](std::string& b) { *at(b, leaf[0] + 24 + 3 + 2) = 0xFF; },
       "exceed the key length"},
      {"leaf with 500 entries", [&](std::string& b) { putLe16(at(b, leaf[0] + 2), 500); },
       "entries"},
      {"interior page with 100 entries", [&](std::string& b) { putLe16(at(b, root + 2), 100); },
       "entries"},
      {"interior page without entries", [&](std::string& b) { putLe16(at(b, root + 2), 0); },
       "no entries"},
      {"expression beyond the pool", [](std::string& b) { putLe16(Bytes(b).at(kTag + 510), 600); },
       "pool"},
      {"bit-vector index", [](std::string& b) { *Bytes(b).at(kTag + 14) |= 0x10; }, "options"},
      {"not a compact index", [](std::string& b) { *Bytes(b).at(kTag + 14) &= 0xDF; }, "options"},
      {"pages counted in 1024 bytes", [](std::string& b) { putLe16(Bytes(b).at(18), 0x400); },
       "page number"},
      {"tag header outside the file",
       [](std::string& b) { putLe16(Bytes(b).at(0x400 + 24), 0xFE00); }, "header"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = pristine;
    c.damage(bytes);
    int writes = 0;
    const xbase::Status st = readEverything(bytes, &writes);
    EXPECT_FALSE(st.isOk());
    EXPECT_NE(st.message().find("damaged.cdx"), std::string::npos) << st.toString();
    EXPECT_NE(st.message().find(c.expect), std::string::npos) << st.toString();
    EXPECT_EQ(writes, 0);
  }
  int writes = 0;
  EXPECT_TRUE(readEverything(pristine, &writes).isOk());
}

TEST(CdxCorruption, BrokenFreeListIsAbandonedNotTrusted) {
  const std::string pristine =
      testsupport::readFile(testsupport::fixturesDir() / "xbase" / "LANUM.cdx");
  const std::vector<std::pair<const char*, uint32_t>> heads = {{"outside the file", 0x7FFFFE00},
                                                               {"not on a page boundary", 0x4A01},
                                                               {"the file header", 0x200}};
  for (const auto& [what, head] : heads) {
    SCOPED_TRACE(what);
    std::string bytes = pristine;
    putLe32(reinterpret_cast<uint8_t*>(bytes.data()) + 4, head);
    testsupport::TempDir dir;
    testsupport::writeFile(dir / "LANUM.cdx", bytes);
    {
      auto cdx = cdxtest::openCdx(dir / "LANUM.cdx");
      ASSERT_TRUE(cdx);
      Tag& tag = cdx->tag(0);
      for (uint32_t i = 0; i < 300; ++i)
        ASSERT_TRUE(tag.insert("NEW" + std::to_string(100000 + i) + "      ", 2001 + i).isOk());
      ASSERT_TRUE(cdx->flush().isOk());
    }
    auto cdx = cdxtest::openCdx(dir / "LANUM.cdx");
    uint64_t keys = 0;
    ASSERT_TRUE(cdx->tag(0).check(&keys).isOk());
    EXPECT_EQ(keys, 2300u);
    // Nothing was written into the file header (its second page was offered as free).
    EXPECT_EQ(testsupport::readFile(dir / "LANUM.cdx").substr(0x200, 0x200),
              bytes.substr(0x200, 0x200));
  }
}

}  // namespace
