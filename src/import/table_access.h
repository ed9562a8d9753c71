#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/date.h"
#include "xbase/table.h"

namespace dnorm {

// Seeks in the table's controlling order; a character key shorter than the index key
// matches the first key that begins with it. False when not found or when the engine
// fails (the table then stands at its end).
bool seekKey(xbase::Table& table, std::string_view key);
bool seekNumber(xbase::Table& table, double key);

// The table open under `alias`; throws std::logic_error when it is not open, which is a
// fault of the calling code (the run opens every table before its first record).
xbase::Table& openTable(const std::string& alias);

// Field access by name for the system's own tables. Writing a number rounds it to the
// field's decimals; a value the field cannot hold is clamped and reported (error 620).
std::string fieldText(const xbase::Table& table, std::string_view name);
double fieldNumber(const xbase::Table& table, std::string_view name);
bool fieldLogical(const xbase::Table& table, std::string_view name);
void setField(xbase::Table& table, std::string_view name, std::string_view text);
void setField(xbase::Table& table, std::string_view name, bool flag);
void setNumberField(xbase::Table& table, int field, double value);
void setNumberField(xbase::Table& table, std::string_view name, double value);
void setDateField(xbase::Table& table, int field, base::Date date);

// The xBase date (Julian day number) of a calendar date.
int32_t julianDay(base::Date date);

}  // namespace dnorm
