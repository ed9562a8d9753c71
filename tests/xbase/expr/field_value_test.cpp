#include "xbase/expr/field_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "xbase/common/julian.h"

namespace xbase {
namespace {

// One field at offset 1 of a record holding `stored`.
Value decode(char type, uint16_t length, uint8_t decimals, const std::string& stored) {
  FieldDef f;
  f.name = "F";
  f.type = type;
  f.length = length;
  f.decimals = decimals;
  f.offset = 1;
  return fieldValue(f, " " + stored);
}

TEST(FieldValueTest, NumericEncodings) {
  struct Case {
    char type;
    uint16_t length;
    std::string stored;
    double expected;
  };
  const Case cases[] = {
      {'N', 7, "  -1.50", -1.5},
      {'N', 7, "   0.10", 0.1},
      {'N', 5, "     ", 0},  // blank
      {'N', 5, "*****", 0},  // overflow marker
      {'F', 8, " 1234.5 ", 1234.5},
      {'N', 20, "12345678901234567890", 12345678901234567890.0},
      {'I', 4, std::string("\xFB\xFF\xFF\xFF", 4), -5},
      {'I', 4, std::string("\x08\x28\x00\x00", 4), 10248},
      {'B', 8, std::string("\x00\x00\x00\x00\x00\x00\x04\xC0", 8), -2.5},
      {'Y', 8, std::string("\x40\xE2\x01\x00\x00\x00\x00\x00", 8), 12.3456},
  };
  for (const Case& c : cases) {
    Value v = decode(c.type, c.length, 2, c.stored);
    EXPECT_EQ(v.type, Value::Type::Numeric);
    EXPECT_EQ(v.num, c.expected) << c.type << " '" << c.stored << "'";
  }
}

TEST(FieldValueTest, NumericDisplayFormat) {
  Value n = decode('N', 7, 2, "  -1.50");
  EXPECT_EQ(n.width, 7);
  EXPECT_EQ(n.decimals, 2);
  Value y = decode('Y', 8, 0, std::string(8, '\0'));
  EXPECT_EQ(y.width, 0);
  EXPECT_EQ(y.decimals, 4);
}

TEST(FieldValueTest, DatesLogicalsAndText) {
  EXPECT_EQ(decode('D', 8, 0, "20000101").date, 2451545);
  EXPECT_EQ(decode('D', 8, 0, "        ").date, 0);
  EXPECT_EQ(decode('D', 8, 0, "20241301").date, 0);  // invalid month reads as empty
  EXPECT_EQ(decode('D', 8, 0, "00000000").date, 0);
  for (char c : std::string("TtYy")) EXPECT_TRUE(decode('L', 1, 0, std::string(1, c)).log) << c;
  for (char c : std::string("FfNn? ")) EXPECT_FALSE(decode('L', 1, 0, std::string(1, c)).log) << c;
  Value text = decode('C', 6, 0, "ab\xFC   ");
  EXPECT_EQ(text.type, Value::Type::Character);
  EXPECT_EQ(text.str, "ab\xFC   ");
  Value memo = decode('M', 10, 0, "        12");
  EXPECT_EQ(memo.type, Value::Type::Character);  // carried as its raw bytes
  EXPECT_EQ(memo.str, "        12");
}

}  // namespace
}  // namespace xbase
