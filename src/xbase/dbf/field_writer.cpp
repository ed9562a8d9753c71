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
  if (!std::isfinite(value)) return false;
  // Round half away from zero on the decimal value: scale with a correction for values
  // such as 2.675 that binary floating point holds as 2.67499999...
  double scale = std::pow(10.0, decimals);
  double scaled = std::fabs(value) * scale;
  double rounded = std::floor(scaled + 0.5 + scaled * 1e-15);
  double result = std::copysign(rounded / scale, value);
  if (rounded == 0) result = 0;  // no "-0.00"
  char buf[512];
  int len = std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, result);
  if (len < 0 || len > width) return false;
  out.assign(buf, static_cast<size_t>(len));
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
