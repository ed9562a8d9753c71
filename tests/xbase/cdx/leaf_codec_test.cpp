// The leaf encoding: byte-exact round trips of real leaves, entry widths, and the
// compression cases where writers and readers disagree.
#include <gtest/gtest.h>

#include <cstring>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/leaf_format.h"
#include "xbase/cdx/page_codec.h"

namespace {

using namespace xbase::cdx;

const uint8_t* raw(const std::string& bytes, size_t offset) {
  return reinterpret_cast<const uint8_t*>(bytes.data()) + offset;
}

TEST(CdxLeafCodec, RealLeavesRoundTripByteForByte) {
  struct Case {
    const char* file;
    uint32_t header;
    char fill;
  };
  const std::vector<Case> cases = {
      {"foxpro/orders.cdx", 0x8200, '\0'},  // integer keys, 2-byte entries
      {"foxpro/orders.cdx", 0x0600, ' '},   // character keys, 2-byte entries
      {"foxpro/rooms.cdx", 0, ' '},         // tag directory
      {"xbase/LANUM.cdx", 0x0600, ' '},     // maintained record by record
      {"xbase/MULTI.cdx", 0x4E00, '\0'},    // numeric keys
      {"xbase/LANGNUM2.cdx", 0x0600, ' '},  // key length 75
  };
  for (const auto& c : cases) {
    const std::string bytes = testsupport::readFile(testsupport::fixturesDir() / c.file);
    const uint16_t kl = getLe16(raw(bytes, c.header + 12));
    for (uint32_t offset : cdxtest::leafOffsets(bytes, c.header)) {
      SCOPED_TRACE(std::string(c.file) + " leaf at " + std::to_string(offset));
      Page page;
      ASSERT_TRUE(decodePage(raw(bytes, offset), offset, kl, c.fill, "t", &page).isOk());
      const LeafLayout own{raw(bytes, offset)[20], raw(bytes, offset)[21], raw(bytes, offset)[22],
                           raw(bytes, offset)[23]};
      uint8_t out[512];
      ASSERT_TRUE(encodeLeaf(page, own, out));
      // Bit 2 of the attributes (seen in some files) is not written back.
      EXPECT_EQ(cdxtest::hex({reinterpret_cast<char*>(out) + 2, 510}),
                cdxtest::hex(bytes.substr(offset + 2, 510)));
    }
  }
}

Page leafOf(uint16_t keyLength, const std::vector<std::pair<std::string, uint32_t>>& entries,
            char fill = ' ') {
  Page page;
  page.attributes = kAttrLeaf | kAttrRoot;
  page.keyLength = keyLength;
  for (const auto& [key, recno] : entries)
    insertLeafEntry(page, page.count(), key.data(), recno, fill);
  return page;
}

TEST(CdxLeafCodec, EntryWidthFollowsTheLargestRecord) {
  struct Case {
    uint16_t keyLength;
    uint32_t maxRecno;
    uint8_t entryBytes, recnoBits;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {10, 1, 3, 16},
      {10, 65535, 3, 16},      // the largest record of 3-byte entries
      {10, 65536, 4, 24},      // one above: 4-byte entries
      {10, 16777215, 4, 24},
      {10, 16777216, 4, 26},   // one above: narrower dup and trail fields
      {75, 262144, 4, 20},     // a long key in a large table
      {240, 268435455, 4, 28}, // the narrowest count fields
      {240, 268435456, 0, 0},  // beyond any width
      {4, 1023, 3, 18},
      {40, 1000000, 4, 20},
      {240, 255, 3, 8},
      {240, 256, 4, 16},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.keyLength) + "/" + std::to_string(c.maxRecno));
    const LeafLayout l = leafLayoutFor(c.keyLength, c.maxRecno);
    EXPECT_EQ(l.entryBytes, c.entryBytes);
    if (!c.entryBytes) continue;
    EXPECT_EQ(l.recnoBits, c.recnoBits);
    EXPECT_EQ(l.recnoBits + l.dupBits + l.trailBits, 8 * l.entryBytes);

    // A leaf holding that record number encodes, decodes and reports its size exactly.
    Page page = leafOf(c.keyLength, {{std::string(c.keyLength, 'A'), 1},
                                     {std::string(c.keyLength, 'B'), c.maxRecno}});
    uint8_t out[512];
    ASSERT_TRUE(encodePage(page, "t", out).isOk());
    EXPECT_EQ(out[23], c.entryBytes);
    EXPECT_EQ(512u - getLe16(out + 12), leafSize(page));
    Page back;
    ASSERT_TRUE(decodePage(out, 0, c.keyLength, ' ', "t", &back).isOk());
    EXPECT_EQ(back.recnos, page.recnos);
    EXPECT_EQ(back.keys, page.keys);
  }
  EXPECT_EQ(maxRecnoFor(10), 268435455u);
}

TEST(CdxLeafCodec, TwoByteEntriesOfOtherWriters) {
  const LeafLayout twoBytes{10, 3, 3, 2};
  Page page = leafOf(4, {{"AB  ", 7}, {"ABC ", 1023}});
  uint8_t out[512];
  ASSERT_TRUE(encodeLeaf(page, twoBytes, out));
  Page back;
  ASSERT_TRUE(decodePage(out, 0, 4, ' ', "t", &back).isOk());
  EXPECT_EQ(back.keys, page.keys);
  EXPECT_EQ(back.recnos, page.recnos);
  setLeafRecno(page, 1, 1024);  // one above the 10-bit mask
  EXPECT_FALSE(encodeLeaf(page, twoBytes, out));
}

struct Stored {
  uint32_t recno, dup, trail, freshBytes;
};

// Entry fields and the key bytes each entry stores, read back from an encoded leaf.
std::vector<Stored> storedEntries(const uint8_t* page, uint16_t keyLength) {
  const LeafLayout l{page[20], page[21], page[22], page[23]};
  std::vector<Stored> out;
  for (size_t i = 0; i < getLe16(page + 2); ++i) {
    uint64_t e = 0;
    for (size_t k = 0; k < l.entryBytes; ++k)
      e |= uint64_t{page[24 + i * l.entryBytes + k]} << (8 * k);
    Stored s{static_cast<uint32_t>(e & ((1u << l.recnoBits) - 1)),
             static_cast<uint32_t>((e >> l.recnoBits) & ((1u << l.dupBits) - 1)),
             static_cast<uint32_t>((e >> (l.recnoBits + l.dupBits)) & ((1u << l.trailBits) - 1)),
             0};
    s.freshBytes = keyLength - (i ? s.dup : 0) - s.trail;
    out.push_back(s);
  }
  return out;
}

TEST(CdxLeafCodec, CompressionCases) {
  struct Case {
    const char* what;
    std::vector<std::string> keys;
    char fill;
    std::vector<std::pair<uint32_t, uint32_t>> dupTrail;  // per entry
  };
  const std::string one("\xBF\xF0\0\0\0\0\0\0", 8), oneAndHalf("\xBF\xF8\0\0\0\0\0\0", 8);
  // clang-format off
  const std::vector<Case> cases = {
      {"all-blank key stores no bytes", {"          ", "          "}, ' ', {{0, 10}, {0, 10}}},
      {"identical key stores no bytes", {"ABCDEFGHIJ", "ABCDEFGHIJ"}, ' ', {{0, 0}, {10, 0}}},
      {"identical key with blanks", {"ABC       ", "ABC       "}, ' ', {{0, 7}, {3, 7}}},
      {"shared prefix stops at the previous key's blanks", {"Devon     ", "Devon Park"}, ' ', {{0, 5}, {5, 0}}},
      {"numeric keys trail zeros", {one, oneAndHalf}, '\0', {{0, 6}, {1, 6}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const uint16_t kl = static_cast<uint16_t>(c.keys[0].size());
    std::vector<std::pair<std::string, uint32_t>> entries;
    for (size_t i = 0; i < c.keys.size(); ++i)
      entries.push_back({c.keys[i], static_cast<uint32_t>(i + 1)});
    Page page = leafOf(kl, entries, c.fill);
    uint8_t out[512];
    ASSERT_TRUE(encodePage(page, "t", out).isOk());
    const auto stored = storedEntries(out, kl);
    size_t fresh = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
      EXPECT_EQ(stored[i].dup, c.dupTrail[i].first) << i;
      EXPECT_EQ(stored[i].trail, c.dupTrail[i].second) << i;
      fresh += stored[i].freshBytes;
    }
    EXPECT_EQ(getLe16(out + 12), 512 - 24 - 3 * stored.size() - fresh) << "free field";
    // A reader that rebuilds trailing bytes with NUL gets the blanks of the middle right.
    Page nulFilled;
    ASSERT_TRUE(decodePage(out, 0, kl, '\0', "t", &nulFilled).isOk());
    for (size_t i = 0; i < c.keys.size(); ++i) {
      const std::string& key = c.keys[i];
      const size_t content = key.find_last_not_of(c.fill) + 1;
      EXPECT_EQ(nulFilled.key(i).substr(0, content), std::string_view(key).substr(0, content));
    }
  }
}

}  // namespace
