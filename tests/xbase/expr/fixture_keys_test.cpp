// Key and FOR expressions of the fixture indexes, evaluated on the fixture tables: the
// keys and their order must be what the programs that wrote those indexes computed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "xbase/expr/expression.h"

namespace xbase {
namespace {

// Just enough of a .dbf reader for these tests: the fields and the raw records.
struct FixtureTable {
  FieldList fields;
  std::vector<std::string> records;  // record n is records[n - 1]
};

uint32_t littleEndian(const std::string& b, size_t pos, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[pos + i]);
  return v;
}

FixtureTable readTable(const std::string& path) {
  std::string file = testsupport::readFile(testsupport::fixturesDir() / path);
  FixtureTable t;
  uint32_t count = littleEndian(file, 4, 4);          // bytes 4-7: record count
  uint32_t headerLength = littleEndian(file, 8, 2);   // bytes 8-9: header length
  uint32_t recordLength = littleEndian(file, 10, 2);  // bytes 10-11: record length
  uint32_t offset = 1;
  // Field descriptors of 32 bytes from byte 32 up to the terminator (0x0D, or 0x0A in
  // some old files): name in bytes 0-10, type in 11, length in 16, decimals in 17.
  for (size_t p = 32; p + 32 <= headerLength && file[p] != 0x0D && file[p] != 0x0A; p += 32) {
    FieldDef f;
    f.name = file.substr(p, 11).c_str();
    f.type = file[p + 11];
    f.length = static_cast<unsigned char>(file[p + 16]);
    f.decimals = static_cast<unsigned char>(file[p + 17]);
    f.offset = offset;
    offset += f.length;
    t.fields.push_back(f);
  }
  for (uint32_t i = 0; i < count; ++i)
    t.records.push_back(file.substr(headerLength + i * recordLength, recordLength));
  return t;
}

std::unique_ptr<Expression> compileFor(const FixtureTable& t, const std::string& text) {
  std::unique_ptr<Expression> e;
  Status st = Expression::compile(text, t.fields, "ALIAS", &e);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return e;
}

struct KeyEntry {
  std::string key;
  uint32_t recno;
  bool operator<(const KeyEntry& o) const { return key != o.key ? key < o.key : recno < o.recno; }
};

// The keys of every record in index order (bytes unsigned, then record number).
std::vector<KeyEntry> keysInOrder(const FixtureTable& t, const Expression& e) {
  std::vector<KeyEntry> keys;
  for (uint32_t n = 1; n <= t.records.size(); ++n) {
    KeyEntry k{{}, n};
    e.evaluateKey({t.records[n - 1], n}, e.width(), k.key);
    keys.push_back(std::move(k));
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

std::vector<uint32_t> recnos(const std::vector<KeyEntry>& keys, size_t from, size_t count) {
  std::vector<uint32_t> r;
  for (size_t i = from; i < from + count; ++i) r.push_back(keys[i].recno);
  return r;
}

TEST(FixtureKeysTest, KeyLengthsOfTheFixtureTags) {
  struct Case {
    const char* table;
    const char* expression;
    int keyLength;
  };
  const Case cases[] = {
      {"xbase/DNORMLTT.dbf", "LTNUMMER+STR(ZEILE)", 10},
      {"xbase/DNORMERR.dbf", "DTOS(DATUM)+ZEIT", 16},
      {"xbase/DNORMRAB.dbf", "RABATTGRUP", 4},
      {"xbase/ARTIKEL.dbf", "UPPER(ARTIKEL)", 40},
      {"xbase/ARTIKEL.dbf", "LIEFERANT+NUMMER", 25},
      {"xbase/ARTIKEL.dbf", "WAGRU+NUMMER", 25},
      {"xbase/LANGTEXT.dbf", "UPPER(TEXT1)", 60},
      {"xbase/LANGTEXT.dbf", "ART_NUM+TEXT1", 75},
  };
  for (const Case& c : cases) {
    auto e = compileFor(readTable(c.table), c.expression);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->width(), c.keyLength) << c.expression;
  }
}

TEST(FixtureKeysTest, LineNumberKeysWithStrOfATwoDigitField) {
  FixtureTable t = readTable("xbase/DNORMLTT.dbf");
  auto e = compileFor(t, "LTNUMMER+STR(ZEILE)");
  std::vector<KeyEntry> keys = keysInOrder(t, *e);
  const std::vector<KeyEntry> expected = {
      {"00000001 1", 1}, {"00000001 2", 2}, {"00000001 3", 5}, {"0000000110", 3}, {"00000002 1", 4},
      {"0000000211", 8}, {"00000003 1", 6}, {"0000001  1", 9}, {"A0000001 1", 7},
  };
  ASSERT_EQ(keys.size(), expected.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].key, expected[i].key) << i;
    EXPECT_EQ(keys[i].recno, expected[i].recno) << i;
  }
}

TEST(FixtureKeysTest, DateKeysWithAnEmptyDate) {
  FixtureTable t = readTable("xbase/DNORMERR.dbf");
  std::vector<KeyEntry> keys = keysInOrder(t, *compileFor(t, "DTOS(DATUM)+ZEIT"));
  EXPECT_EQ(recnos(keys, 0, 6), (std::vector<uint32_t>{4, 3, 2, 1, 5, 6}));
  EXPECT_EQ(keys[0].key, std::string(16, ' '));
  EXPECT_EQ(keys[1].key, "2023123123:59:59");
}

TEST(FixtureKeysTest, UpperKeepsUmlauts) {
  FixtureTable t = readTable("xbase/ARTIKEL.dbf");
  std::vector<KeyEntry> keys = keysInOrder(t, *compileFor(t, "UPPER(ARTIKEL)"));
  ASSERT_EQ(keys.size(), 2000u);
  EXPECT_EQ(recnos(keys, 0, 6), (std::vector<uint32_t>{1590, 1188, 34, 239, 1517, 260}));
  EXPECT_EQ(recnos(keys, 1994, 6), (std::vector<uint32_t>{647, 655, 1988, 35, 910, 1912}));
  EXPECT_EQ(keys[1].key, "ABSPERRSCHIEBER 1 F\xFCR HEIZ\xF6L            ");
  EXPECT_EQ(keys[1999].key,
            "\xDC"
            "BERGANGSST\xFC"
            "CK VERZINKT                 ");
}

TEST(FixtureKeysTest, ConcatenatedCharacterFields) {
  FixtureTable t = readTable("xbase/ARTIKEL.dbf");
  std::vector<KeyEntry> keys = keysInOrder(t, *compileFor(t, "LIEFERANT+NUMMER"));
  EXPECT_EQ(recnos(keys, 0, 6), (std::vector<uint32_t>{1038, 1166, 158, 1926, 414, 889}));
  EXPECT_EQ(recnos(keys, 1994, 6), (std::vector<uint32_t>{1199, 703, 463, 1991, 991, 1751}));
  EXPECT_EQ(keys[5].key, "          0039970        ");
}

TEST(FixtureKeysTest, ForConditionOnALogicalField) {
  FixtureTable t = readTable("xbase/ARTIKEL.dbf");
  auto condition = compileFor(t, "MIT_MENGE");
  size_t included = 0;
  for (uint32_t n = 1; n <= t.records.size(); ++n)
    included += condition->evaluateLogical({t.records[n - 1], n});
  EXPECT_EQ(included, 1379u);
}

TEST(FixtureKeysTest, ForConditionsOfTheFoxProRoomsTable) {
  FixtureTable t = readTable("foxpro/rooms.dbf");
  struct Case {
    const char* condition;
    std::vector<uint32_t> recnos;  // as an independent reader lists the tag
  };
  const Case cases[] = {
      {"TRIM(UPPER(facility))==\"AUDIO\"", {18, 19, 20, 21, 22, 23, 24, 25, 28, 33, 34, 35, 39}},
      {"TRIM(UPPER(facility))==\"FILM\"", {29, 30, 31, 32, 36, 37}},
      {"TRIM(UPPER(facility))==\"MAIN\"",
       {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 26, 27, 38, 40, 41}},
  };
  for (const Case& c : cases) {
    auto e = compileFor(t, c.condition);
    std::vector<uint32_t> included;
    for (uint32_t n = 1; n <= t.records.size(); ++n)
      if (e->evaluateLogical({t.records[n - 1], n})) included.push_back(n);
    EXPECT_EQ(included, c.recnos) << c.condition;
  }
}

}  // namespace
}  // namespace xbase
