#include "xbase/expr/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace xbase {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Longest text of a double in shortest fixed notation: 309 integer digits, or "0." with
// 323 zeros and 17 significant digits.
constexpr size_t kMaxFixedDigits = 352;

}  // namespace

LeadingNumber parseLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  size_t start = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  std::string_view integerDigits = text.substr(start, i - start);
  bool anyDigit = !integerDigits.empty();
  LeadingNumber n;
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && isDigit(text[j])) ++j;
    n.decimals = static_cast<int>(j - i - 1);
    anyDigit = anyDigit || n.decimals > 0;
    i = j;
  }
  if (!anyDigit) return {};
  double magnitude = 0;
  auto [end, ec] =
      std::from_chars(text.data() + start, text.data() + i, magnitude, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Too large for a double, or a fraction too small for one.
    bool large = integerDigits.find_first_not_of('0') != std::string_view::npos;
    magnitude = large ? std::numeric_limits<double>::infinity() : 0;
  }
  n.value = negative ? -magnitude : magnitude;
  return n;
}

void appendNumber(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value)) {
    out.append(width, '*');
    return;
  }
  char buf[kMaxFixedDigits];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
  std::string_view digits(buf, ec == std::errc() ? end - buf : 0);
  size_t point = digits.find('.');
  std::string_view intPart = digits.substr(0, point);
  std::string_view fracPart = point == std::string_view::npos ? "" : digits.substr(point + 1);
  size_t wanted = static_cast<size_t>(decimals);

  size_t mark = out.size();
  out.append(intPart);
  if (wanted > 0) {
    size_t taken = std::min(fracPart.size(), wanted);
    out.push_back('.');
    out.append(fracPart.substr(0, taken));
    out.append(wanted - taken, '0');
  }
  if (fracPart.size() > wanted && fracPart[wanted] >= '5') {  // half away from zero
    size_t i = out.size();
    bool carry = true;
    while (carry && i > mark) {
      char& c = out[--i];
      if (c == '.') continue;
      carry = c == '9';
      c = carry ? '0' : static_cast<char>(c + 1);
    }
    if (carry) out.insert(mark, 1, '1');
  }
  bool zero = out.find_first_of("123456789", mark) == std::string::npos;
  if (value < 0 && !zero) out.insert(mark, 1, '-');
  size_t length = out.size() - mark;
  if (length > static_cast<size_t>(width)) {
    out.resize(mark);
    out.append(width, '*');
  } else {
    out.insert(mark, width - length, ' ');
  }
}

int clampToInt(double value, int limit) {
  if (std::isnan(value)) return 0;
  if (value >= limit) return limit;
  if (value <= -limit) return -limit;
  return static_cast<int>(value);
}

}  // namespace xbase
