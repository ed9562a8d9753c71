#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "xbase/common/field.h"
#include "xbase/expr/value.h"

namespace xbase {

// The type an expression sees for a field type, or nullopt when expressions cannot read
// the field (memo, general, datetime and the other VFP types).
std::optional<Value::Type> expressionType(char fieldType);

// The bytes of the field in the record; a record cut short yields fewer (or no) bytes.
std::string_view fieldBytes(const FieldDef& f, std::string_view recordBytes);

// Decoders of one field's bytes (as returned by fieldBytes).
// N and F: ASCII, blank or all '*' = 0. I: int32 LE. B: double LE. Y: int64 LE / 10000.
double numericFieldValue(char fieldType, std::string_view bytes);
// YYYYMMDD as a Julian day; blank or invalid = 0 (empty).
int32_t dateFieldValue(std::string_view bytes);
// T t Y y = true.
bool logicalFieldValue(std::string_view bytes);

// Display width and decimals of a numeric field's values. N and F fields have their own
// width (STR of such a field keeps it); the binary VFP types have none (width 0).
struct NumericFormat {
  int width = 0;
  int decimals = 0;
};
NumericFormat numericFormat(const FieldDef& f);

// Decodes one field from record bytes. Fields expressions cannot read come back as
// Character values holding their raw bytes.
Value fieldValue(const FieldDef& f, std::string_view recordBytes);

}  // namespace xbase
