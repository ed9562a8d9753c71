#include "base/decimal.h"

#include <gtest/gtest.h>

namespace {

TEST(Decimal, ReadsTheLeadingNumericPartWithItsDecimals) {
  struct Case {
    const char* text;
    base::Decimal number;
  };
  const Case cases[] = {
      {"19.00", {19, 2}},
      {"16", {16, 0}},
      {"7,5", {7, 0}},
      {"abc", {0, 0}},
      {"", {0, 0}},
      {"   -3.5x", {-3.5, 1}},
      {"+2", {2, 0}},
      {".5", {0.5, 1}},
      {"19.", {19, 0}},
      {"- 5", {0, 0}},
      {"-", {0, 0}},
      {"1e5", {1, 0}},
      {"0.12345678901234567890", {0.12345678901234567890, base::kMaxDecimals}},
  };
  for (const Case& c : cases) {
    base::Decimal got = base::leadingNumber(c.text);
    EXPECT_EQ(got.value, c.number.value) << '"' << c.text << '"';
    EXPECT_EQ(got.decimals, c.number.decimals) << '"' << c.text << '"';
  }
  // A run of digits beyond the range of a double is no sensible value.
  EXPECT_EQ(base::leadingNumber(std::string(400, '9')), base::Decimal{});
}

TEST(Decimal, WritesTheNumberBackWithTheDecimalsItCarries) {
  for (const char* text : {"19.00", "16", "-7.50", "0.125", "2"}) {
    EXPECT_EQ(base::formatDecimal(base::leadingNumber(text)), text);
  }
  EXPECT_EQ(base::formatDecimal({7.5, 2}), "7.50");
  EXPECT_EQ(base::formatDecimal({2.675, 2}), "2.68");
  EXPECT_EQ(base::formatDecimal({-0.001, 2}), "0.00");
  EXPECT_EQ(base::formatDecimal({19.99, 0}), "20");
}

}  // namespace
