#pragma once

#include <string>
#include <string_view>

namespace base {

// A number together with the count of decimals of the text it came from, so that a value
// read as "19.00" is written back as "19.00" and one read as "16" as "16".
struct Decimal {
  double value = 0;
  int decimals = 0;
  bool operator==(const Decimal&) const = default;
};

// Most decimals a Decimal keeps; further digits still count for the value.
constexpr int kMaxDecimals = 15;

// The leading numeric part of a text, as xBase VAL() reads it: optional blanks, an optional
// sign, digits, an optional point and decimals. Reading stops at the first other
// character: "7,5" gives 7, "abc" gives 0, "19.00" gives 19 with two decimals.
Decimal leadingNumber(std::string_view text);

// The value with exactly its decimals, commercially rounded, without blanks: "19.00",
// "2", "-7.50".
std::string formatDecimal(Decimal number);

}  // namespace base
