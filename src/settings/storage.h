#pragma once

#include <string>
#include <variant>
#include <vector>

#include "base/decimal.h"
#include "settings/catalogue.h"

namespace settings {

// A setting as the system uses it: text (Windows-1252, padded to its width), number (with
// the decimals of its text) or logical.
using Value = std::variant<std::string, base::Decimal, bool>;

// The typed value of a stored text: a number is the text's leading numeric part ("7,5"
// gives 7, "abc" 0); a logical is on exactly when the text begins with "J"; a text is
// padded with blanks to the setting's width (a longer one stays whole).
Value fromStoredText(const SettingDef& def, const std::string& text);
// The form stored in the INI file: the text as held (padded to its width), the number with
// its decimals, "J" or "N".
std::string toStoredText(const SettingDef& def, const Value& value);

// Reads all 21 settings from the global INI file; missing keys give their defaults.
std::vector<Value> GETVOREIN();
// Writes the values (setting 1 first) to the global INI file. Returns true; a failed write
// is not reported (the reload that follows shows what the file really holds).
bool SETVOREIN(const std::vector<Value>& values);

}  // namespace settings
