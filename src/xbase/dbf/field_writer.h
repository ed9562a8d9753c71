#pragma once

#include <cstdint>
#include <string_view>

#include "xbase/common/field.h"
#include "xbase/common/status.h"

namespace xbase {

// Writing values into the bytes of one field of a record buffer (formats.md §1.7).
// `record` is the whole record buffer; the field's bytes start at field.offset.

// C: the bytes, blank-padded or cut to the field length.
void writeCharacter(const FieldDef& field, std::string_view value, char* record);

// N/F: right-aligned ASCII with exactly `decimals` digits after the point, rounded half away
// from zero. A value too wide for the field is never stored as asterisks or with lost
// digits: the largest value of its sign that fits is stored and InvalidArgument returned,
// so the caller can report it.
Status writeNumeric(const FieldDef& field, double value, char* record);

// D: YYYYMMDD, or 8 blanks for the empty date (Julian day 0).
void writeDate(const FieldDef& field, int32_t julianDay, char* record);

// L: 'T' or 'F'.
void writeLogical(const FieldDef& field, bool value, char* record);

// Formats a number right-aligned to `width` with `decimals` digits; false when it does not fit.
bool formatNumber(double value, int width, int decimals, std::string& out);

}  // namespace xbase
