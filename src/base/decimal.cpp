#include "base/decimal.h"

#include <algorithm>
#include <charconv>

#include "base/rounding.h"

namespace base {

Decimal leadingNumber(std::string_view text) {
  size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos) return {};
  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';

  auto isDigit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  size_t start = pos;
  while (isDigit(pos)) ++pos;
  size_t integerDigits = pos - start;
  size_t fractionDigits = 0;
  if (pos < text.size() && text[pos] == '.') {
    size_t point = pos++;
    while (isDigit(pos)) ++pos;
    fractionDigits = pos - point - 1;
    if (fractionDigits == 0) pos = point;  // "19." reads as 19
  }
  if (integerDigits + fractionDigits == 0) return {};

  Decimal number;
  // A magnitude beyond the range of double cannot be a sensible value here: it reads as 0.
  if (std::from_chars(text.data() + start, text.data() + pos, number.value).ec != std::errc{}) {
    return {};
  }
  if (negative && number.value != 0) number.value = -number.value;
  number.decimals = static_cast<int>(std::min<size_t>(fractionDigits, kMaxDecimals));
  return number;
}

std::string formatDecimal(Decimal number) {
  double value = roundCommercial(number.value, number.decimals);
  if (value == 0) value = 0;  // no "-0.00"
  char text[400];
  auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                            std::clamp(number.decimals, 0, kMaxDecimals));
  return std::string(text, done.ptr);
}

}  // namespace base
