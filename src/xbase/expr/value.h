#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase {

// A value of the xBase expression language.
struct Value {
  enum class Type : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L' };
  Type type = Type::Character;
  std::string str;              // C: Windows-1252 bytes
  double num = 0;               // N
  int width = 0, decimals = 0;  // N: display width and decimals; width 0 = none of its own
  int32_t date = 0;             // D: Julian day number, 0 = empty
  bool log = false;             // L
};

// The record an expression is evaluated on: the raw record bytes exactly as in the .dbf
// (byte 0 = deletion flag '*' or ' ', fields at FieldDef::offset) and its number.
struct RecordRef {
  std::string_view bytes;
  uint32_t recno = 0;
};

}  // namespace xbase
