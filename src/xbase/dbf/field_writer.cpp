#include "xbase/dbf/field_writer.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "xbase/common/julian.h"

namespace xbase {

void writeCharacter(const FieldDef& field, std::string_view value, char* record) {
  char* dst = record + field.offset;
  size_t n = std::min<size_t>(value.size(), field.length);
  std::memcpy(dst, value.data(), n);
  std::memset(dst + n, ' ', field.length - n);
}

bool formatNumber(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value) || decimals < 0 || decimals > 15 || width < 1) return false;
  // Round half away from zero on the decimal value: scale with a correction for values
  // such as 2.675 that binary floating point holds as 2.67499999...
  static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  double scaled = std::fabs(value) * kPow10[decimals];
  double rounded = std::floor(scaled + 0.5 + scaled * 1e-15);
  if (rounded >= 9e15) {
    // Beyond the exact integers of a double: let the C library print it.
    char buf[512];
    int len = std::snprintf(buf, sizeof buf, "%*.*f", width, decimals,
                            std::copysign(rounded / kPow10[decimals], value));
    if (len < 0 || len > width) return false;
    out.assign(buf, static_cast<size_t>(len));
    return true;
  }
  // Digits written backwards: decimals, point, integer part, sign (no "-0.00").
  uint64_t digits = static_cast<uint64_t>(rounded);
  const bool negative = value < 0 && digits != 0;
  char buf[40];
  int pos = sizeof buf;
  for (int i = 0; i < decimals; ++i, digits /= 10) buf[--pos] = static_cast<char>('0' + digits % 10);
  if (decimals > 0) buf[--pos] = '.';
  do {
    buf[--pos] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  if (negative) buf[--pos] = '-';
  const int len = static_cast<int>(sizeof buf) - pos;
  if (len > width) return false;
  out.assign(static_cast<size_t>(width - len), ' ');
  out.append(buf + pos, static_cast<size_t>(len));
  return true;
}

Status writeNumeric(const FieldDef& field, double value, char* record) {
  std::string text;
  int width = field.length;
  int decimals = field.decimals;
  if (formatNumber(value, width, decimals, text)) {
    std::memcpy(record + field.offset, text.data(), field.length);
    return Status::ok();
  }
  // The largest value of the value's sign that the field can hold (0 when none does).
  bool negative = value < 0;
  int intDigits = width - (decimals > 0 ? decimals + 1 : 0) - (negative ? 1 : 0);
  double largest = intDigits >= 1 ? std::pow(10.0, intDigits) - std::pow(10.0, -decimals) : 0;
  if (!formatNumber(negative ? -largest : largest, width, decimals, text)) text.assign(width, ' ');
  std::memcpy(record + field.offset, text.data(), field.length);
  return Status::invalidArgument("value " + std::to_string(value) + " does not fit field " +
                                 field.name + " (N " + std::to_string(width) + "," +
                                 std::to_string(decimals) + ")");
}

void writeDate(const FieldDef& field, int32_t julianDay, char* record) {
  std::string text = dtosFromJulian(julianDay);
  std::memcpy(record + field.offset, text.data(), std::min<size_t>(8, field.length));
}

void writeLogical(const FieldDef& field, bool value, char* record) {
  record[field.offset] = value ? 'T' : 'F';
}

}  // namespace xbase
