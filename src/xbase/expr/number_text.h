#pragma once

#include <string>
#include <string_view>

namespace xbase {

struct LeadingNumber {
  double value = 0;
  int decimals = 0;  // digits after the decimal point in the text
};

// The numeric value at the start of a text as VAL reads it: leading blanks, an optional
// sign, digits with an optional decimal point; whatever follows is ignored, and a text
// without digits there is 0. Also decodes N and F fields (blank and "****" give 0).
LeadingNumber parseLeadingNumber(std::string_view text);

// Appends a number as STR formats it: exactly `width` bytes, right-aligned, `decimals`
// digits after the point, rounded half away from zero on the shortest decimal form of the
// double (so 2.675 gives 2.68); `width` asterisks when it does not fit.
void appendNumber(double value, int width, int decimals, std::string& out);

// A double used as a length, position or count: truncated toward zero and clamped to
// [-limit, limit]; NaN gives 0.
int clampToInt(double value, int limit);

}  // namespace xbase
