#include "base/rounding.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace base {

namespace {

// A double carries 15 significant decimal digits reliably.
constexpr int kSignificantDigits = 15;

}  // namespace

double roundCommercial(double value, int decimals) {
  if (!std::isfinite(value) || value == 0) return value;
  // "d.dddddddddddddde±x": the 15 significant digits and the decimal exponent.
  char text[40];
  auto done = std::to_chars(text, text + sizeof text, std::fabs(value),
                            std::chars_format::scientific, kSignificantDigits - 1);
  *done.ptr = '\0';
  std::string digits;
  digits += text[0];
  digits.append(text + 2, kSignificantDigits - 1);
  int exponent = std::atoi(text + kSignificantDigits + 2);

  // How many of the significant digits lie before the rounding position.
  int keep = exponent + 1 + decimals;
  if (keep >= kSignificantDigits) return value;
  if (keep < 0) return 0;
  int64_t kept = keep == 0 ? 0 : std::stoll(digits.substr(0, static_cast<size_t>(keep)));
  if (digits[static_cast<size_t>(keep)] >= '5') ++kept;
  if (kept == 0) return 0;

  // kept × 10^-decimals, parsed from its decimal form so the result is the double nearest
  // to the rounded decimal value.
  std::string rounded = std::to_string(kept) + "e" + std::to_string(-decimals);
  double result = 0;
  std::from_chars(rounded.data(), rounded.data() + rounded.size(), result);
  return value < 0 ? -result : result;
}

double divideOrZero(double a, double b) {
  return b == 0 ? 0 : a / b;
}

}  // namespace base
