// Reads the genuine index files of another runtime and of FoxPro and compares what the
// reader returns with the fixture README: complete record-number sequences (SHA-256),
// the listed keys, tag metadata, and seeks where readers typically go wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/common/julian.h"

namespace {

using cdxtest::Entry;
using xbase::cdx::CdxFile;
using xbase::cdx::Tag;

// What the README states about one tag.
struct ExpectedTag {
  std::string bag, name, keyExpr, forExpr;
  char type = 'C';
  int keyLength = 0;
  bool unique = false, descending = false;
  size_t count = 0;
  std::string sha256;
  std::map<size_t, Entry> rows;  // position in logical order (1-based) -> key bytes, recno
};

std::vector<ExpectedTag> readReadme() {
  std::ifstream in(testsupport::fixturesDir() / "xbase" / "README.md");
  const std::regex bagLine(R"(^### .*?(\w+)\.cdx)");
  const std::regex tagLine(R"(^#### Tag `(\w+)`)");
  const std::regex exprLine(R"(^\* key expression: `([^`]*)`(?:\s+FOR `([^`]*)`)?)");
  const std::regex typeLine(
      R"(^\* key type (\w), key length (\d+), unique ([TF]), descending ([TF]))");
  const std::regex countLine(R"(^\* number of keys in the tag: (\d+))");
  const std::regex shaLine(R"(^\* SHA-256 .*: `([0-9a-f]{64})`)");
  const std::regex rowLine(R"(^\| (\d+) \| (\d+) \|[^|]*\|.*\| `([0-9a-f]+)` \|$)");
  std::vector<ExpectedTag> tags;
  std::string bag, line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_search(line, m, bagLine)) {
      bag = m[1];
    } else if (std::regex_search(line, m, tagLine)) {
      tags.push_back({});
      tags.back().bag = bag + ".cdx";
      tags.back().name = m[1];
    } else if (tags.empty()) {
      continue;
    } else if (std::regex_search(line, m, exprLine)) {
      tags.back().keyExpr = m[1];
      tags.back().forExpr = m[2];
    } else if (std::regex_search(line, m, typeLine)) {
      tags.back().type = m.str(1)[0];
      tags.back().keyLength = std::stoi(m[2]);
      tags.back().unique = m[3] == "T";
      tags.back().descending = m[4] == "T";
    } else if (std::regex_search(line, m, countLine)) {
      tags.back().count = std::stoul(m[1]);
    } else if (std::regex_search(line, m, shaLine)) {
      tags.back().sha256 = m[1];
    } else if (std::regex_search(line, m, rowLine)) {
      tags.back().rows[std::stoul(m[1])] = {cdxtest::unhex(m.str(3)),
                                            static_cast<uint32_t>(std::stoul(m[2]))};
    }
  }
  return tags;
}

// The tag in logical order: descending tags walk backwards.
std::vector<Entry> logicalOrder(Tag& tag) {
  return tag.info().descending ? cdxtest::walkBack(tag) : cdxtest::walk(tag);
}

TEST(CdxFixtureRead, EveryTagMatchesTheReadme) {
  const auto expected = readReadme();
  ASSERT_EQ(expected.size(), 23u) << "README layout changed";
  for (const auto& want : expected) {
    SCOPED_TRACE(want.bag + " " + want.name);
    auto cdx = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / want.bag);
    ASSERT_TRUE(cdx);
    Tag* tag = cdx->findTag(want.name);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->info().keyExpr, want.keyExpr);
    EXPECT_EQ(tag->info().forExpr, want.forExpr);
    EXPECT_EQ(tag->info().keyLength, want.keyLength);
    EXPECT_EQ(tag->info().unique(), want.unique);
    EXPECT_EQ(tag->info().descending, want.descending);
    EXPECT_EQ((tag->info().options & 0x08) != 0, !want.forExpr.empty());
    tag->setFill(want.type == 'C' ? ' ' : '\0');

    const auto entries = logicalOrder(*tag);
    ASSERT_EQ(entries.size(), want.count);
    std::string recnos;
    for (const auto& e : entries) recnos += (recnos.empty() ? "" : ",") + std::to_string(e.recno);
    EXPECT_EQ(cdxtest::sha256Hex(recnos), want.sha256);
    for (const auto& [pos, row] : want.rows) {
      EXPECT_EQ(cdxtest::hex(entries[pos - 1].key), cdxtest::hex(row.key)) << "position " << pos;
      EXPECT_EQ(entries[pos - 1].recno, row.recno) << "position " << pos;
    }
    uint64_t keys = 0;
    xbase::Status st = tag->check(&keys);
    EXPECT_TRUE(st.isOk()) << st.toString();
    EXPECT_EQ(keys, want.count);
  }
}

TEST(CdxFixtureRead, TagsComeInCreationOrder) {
  auto cdx = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / "MULTI.cdx");
  ASSERT_TRUE(cdx);
  std::vector<std::string> names;
  for (size_t i = 0; i < cdx->tagCount(); ++i) names.push_back(cdx->tag(i).info().name);
  EXPECT_EQ(names, (std::vector<std::string>{"BYNUM", "BYPRICE", "BYDATE", "ACTIVE", "UNIQGRP"}));
  EXPECT_EQ(cdx->findTag("byPrice"), &cdx->tag(1));
  EXPECT_EQ(cdx->findTag("BYPRIC"), nullptr);
}

std::string pad(std::string s, size_t n, char fill = ' ') {
  s.resize(n, fill);
  return s;
}

enum class Expect {
  Recnos,       // the walk from the seek yields these record numbers
  FirstOfKey,   // lands on the very first entry of the tag, with exactly the seek key
  PrefixStart,  // lands on the first key beginning with the seek key
  End,          // past the last entry
};

struct SeekCase {
  const char* what;
  const char* bag;
  const char* tag;
  char fill;
  std::string key;
  uint32_t recno;
  Expect expect;
  std::vector<uint32_t> recnos = {};
};

TEST(CdxFixtureRead, SeeksThatCatchFaults) {
  using xbase::cdx::encodeNumberKey;
  // clang-format off
  const std::vector<SeekCase> cases = {
      {"duplicates in record order", "DNORMPRO.cdx", "DNORMPRO", ' ', pad("4711", 15), 0, Expect::Recnos, {1, 3, 6, 4}},
      {"inside a run of duplicates", "DNORMPRO.cdx", "DNORMPRO", ' ', pad("4711", 15), 2, Expect::Recnos, {3, 6, 4}},
      {"duplicate date and time", "DNORMERR.cdx", "DNORMERR", ' ', "2024031510:15:30", 0, Expect::Recnos, {1, 5, 6}},
      {"key of a deleted record", "DNORMRAB.cdx", "DNORMRAB", ' ', "0815", 0, Expect::Recnos, {5, 1}},
      {"all-blank key", "DNORMWGR.cdx", "DNORMWGR", ' ', "   ", 0, Expect::Recnos, {6, 2}},
      {"umlaut above 0x7F", "DNORMWGR.cdx", "DNORMWGR", ' ', "\xD6L ", 0, Expect::Recnos, {4}},
      {"between a1 and the umlaut", "DNORMWGR.cdx", "DNORMWGR", ' ', "b", 0, Expect::Recnos, {4}},
      {"past the last key", "DNORMWGR.cdx", "DNORMWGR", ' ', "\xFF", 0, Expect::End},
      {"negative number", "DNORMERT.cdx", "DNORMERT", '\0', encodeNumberKey(-1), 0, Expect::Recnos, {6, 5, 3}},
      {"negative zero", "DNORMERT.cdx", "DNORMERT", '\0', encodeNumberKey(-0.0), 0, Expect::Recnos, {5, 3}},
      {"between numbers", "DNORMERT.cdx", "DNORMERT", '\0', encodeNumberKey(0.5), 0, Expect::Recnos, {3, 2}},
      {"largest number", "DNORMERT.cdx", "DNORMERT", '\0', encodeNumberKey(999), 0, Expect::Recnos, {8}},
      {"minimum price", "MULTI.cdx", "BYPRICE", '\0', encodeNumberKey(-6.43), 0, Expect::FirstOfKey},
      {"changed record's price", "MULTI.cdx", "BYPRICE", '\0', encodeNumberKey(123456.78), 0, Expect::Recnos, {200}},
      {"empty date", "MULTI.cdx", "BYDATE", '\0', xbase::cdx::encodeDateKey(0), 0, Expect::FirstOfKey},
      {"unique key held by a deleted record", "MULTI.cdx", "UNIQGRP", ' ', pad("011", 10), 0, Expect::Recnos, {17, 6}},
      {"changed article number", "LANUM.cdx", "LANUM", ' ', pad("ZZ-GEAENDERT", 15), 0, Expect::Recnos, {300}},
      {"prefix of article numbers", "LANUM.cdx", "LANUM", ' ', "AB", 0, Expect::PrefixStart},
      {"prefix with umlauts", "LANAM.cdx", "LANAM", ' ', "\xDC" "BERGANGSST\xFC" "CK", 0, Expect::PrefixStart},
  };
  // clang-format on
  for (const auto& sc : cases) {
    SCOPED_TRACE(sc.what);
    auto cdx = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / sc.bag);
    ASSERT_TRUE(cdx);
    Tag& tag = *cdx->findTag(sc.tag);
    tag.setFill(sc.fill);
    Tag::Cursor c;
    ASSERT_TRUE(tag.seekGE(sc.key, sc.recno, c).isOk());
    Tag::Cursor before = c;
    switch (sc.expect) {
      case Expect::Recnos:
        for (uint32_t recno : sc.recnos) {
          ASSERT_TRUE(c.valid);
          EXPECT_EQ(c.recno, recno);
          ASSERT_TRUE(tag.next(c).isOk());
        }
        break;
      case Expect::FirstOfKey:
        ASSERT_TRUE(c.valid);
        EXPECT_EQ(c.key, sc.key);
        ASSERT_TRUE(tag.prev(before).isOk());
        EXPECT_FALSE(before.valid);
        break;
      case Expect::PrefixStart:
        ASSERT_TRUE(c.valid);
        EXPECT_EQ(c.key.substr(0, sc.key.size()), sc.key);
        ASSERT_TRUE(tag.prev(before).isOk());
        ASSERT_TRUE(before.valid);
        EXPECT_LT(before.key.substr(0, sc.key.size()), sc.key);
        break;
      case Expect::End:
        EXPECT_FALSE(c.valid);
        break;
    }
  }
}

TEST(CdxFixtureRead, EmptyDatesAndDescendingEnds) {
  auto multi = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / "MULTI.cdx");
  ASSERT_TRUE(multi);
  Tag& byDate = *multi->findTag("BYDATE");
  byDate.setFill('\0');
  const auto dates = cdxtest::walk(byDate);
  const std::string empty = xbase::cdx::encodeDateKey(0);
  EXPECT_EQ(
      std::count_if(dates.begin(), dates.end(), [&](const Entry& e) { return e.key == empty; }),
      94);
  EXPECT_GE(dates.back().key, xbase::cdx::encodeDateKey(xbase::julianFromYmd(2025, 12, 30)));

  auto fav = cdxtest::openCdx(testsupport::fixturesDir() / "xbase" / "LAFAV1.cdx");
  ASSERT_TRUE(fav);
  Tag& netto = fav->tag(0);
  netto.setFill('\0');
  Tag::Cursor top;
  ASSERT_TRUE(netto.last(top).isOk());
  EXPECT_EQ(top.recno, 200u);
  EXPECT_DOUBLE_EQ(xbase::cdx::decodeNumberKey(top.key), 123456.78);
  Tag::Cursor bottom;
  ASSERT_TRUE(netto.first(bottom).isOk());
  EXPECT_DOUBLE_EQ(xbase::cdx::decodeNumberKey(bottom.key), -6.43);
}

TEST(CdxFixtureRead, FoxProTagsAndExpressions) {
  struct WantTag {
    std::string name;
    char fill;
    // Two tags of this sample are sorted in a language-aware order, not in byte order:
    // readable, but check() must report them.
    bool byteOrder = true;
  };
  struct Want {
    const char* file;
    std::vector<WantTag> tags;  // creation order
  };
  // clang-format off
  const std::vector<Want> files = {
      {"rooms.cdx", {{"ROOMNAME", ' '}, {"FACILITY", ' '}, {"AUDIO", ' '}, {"MAIN", ' '}, {"FILM", ' '}}},
      {"orders.cdx",
       {{"CUSTOMERID", ' '}, {"ORDERDATE", 0}, {"SHIPPEDDAT", 0}, {"EMPLOYEEID", 0}, {"SHIPPERID", 0}, {"ORDERID", 0}}},
      {"Customers.CDX",
       {{"CUSTOMERID", ' '}, {"COMPANYNAM", ' ', false}, {"CITY", ' ', false}, {"POSTALCODE", ' '}, {"REGION", ' '}}},
      {"employees.cdx", {{"REPORTSTO", 0}, {"LASTNAME", ' '}, {"POSTALCODE", ' '}, {"EMPLOYEEID", 0}}},
      {"Categories.CDX", {{"CATEGORYNM", ' '}, {"CATEGORYID", 0}}},
  };
  // clang-format on
  for (const auto& f : files) {
    SCOPED_TRACE(f.file);
    auto cdx = cdxtest::openCdx(testsupport::fixturesDir() / "foxpro" / f.file);
    ASSERT_TRUE(cdx);
    ASSERT_EQ(cdx->tagCount(), f.tags.size());
    for (size_t i = 0; i < f.tags.size(); ++i) {
      Tag& tag = cdx->tag(i);
      SCOPED_TRACE(tag.info().name);
      EXPECT_EQ(tag.info().name, f.tags[i].name);
      tag.setFill(f.tags[i].fill);
      const auto forward = cdxtest::walk(tag);
      auto backward = cdxtest::walkBack(tag);
      std::reverse(backward.begin(), backward.end());
      EXPECT_EQ(forward, backward);
      uint64_t keys = 0;
      xbase::Status st = tag.check(&keys);
      if (f.tags[i].byteOrder) {
        EXPECT_TRUE(st.isOk()) << st.toString();
        EXPECT_EQ(forward.size(), keys);
      } else {
        EXPECT_NE(st.message().find("out of order"), std::string::npos) << st.toString();
      }
    }
  }

  auto rooms = cdxtest::openCdx(testsupport::fixturesDir() / "foxpro" / "rooms.cdx");
  ASSERT_TRUE(rooms);
  const auto& audio = rooms->findTag("audio")->info();
  EXPECT_EQ(audio.keyExpr, "roomname");
  EXPECT_EQ(audio.forExpr, "TRIM(UPPER(facility))==\"AUDIO\"");
  EXPECT_EQ(audio.options, 0x68);
  EXPECT_EQ(rooms->findTag("ROOMNAME")->info().forExpr, "");
}

TEST(CdxFixtureRead, FoxProIntegerAndDateKeys) {
  auto orders = cdxtest::openCdx(testsupport::fixturesDir() / "foxpro" / "orders.cdx");
  ASSERT_TRUE(orders);
  Tag& orderId = *orders->findTag("ORDERID");
  orderId.setFill('\0');
  const auto ids = cdxtest::walk(orderId);
  ASSERT_EQ(ids.size(), 830u);
  for (size_t i = 0; i < ids.size(); ++i) {
    ASSERT_EQ(ids[i].key, xbase::cdx::encodeIntegerKey(static_cast<int32_t>(10248 + i))) << i;
    ASSERT_EQ(ids[i].recno, i + 1);
  }
  // A nullable date key: one 0x80 byte before the date.
  Tag& orderDate = *orders->findTag("ORDERDATE");
  orderDate.setFill('\0');
  const std::string day = "\x80" + xbase::cdx::encodeDateKey(xbase::julianFromYmd(1996, 7, 4));
  EXPECT_EQ(cdxtest::hex(day), "80c142b1ae80000000");
  Tag::Cursor c;
  ASSERT_TRUE(orderDate.seekGE(day, 0, c).isOk());
  ASSERT_TRUE(c.valid);
  EXPECT_EQ(c.key, day);
  EXPECT_EQ(c.recno, 1u);
}

}  // namespace
