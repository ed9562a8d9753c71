#pragma once

#include <string>
#include <string_view>

namespace views {

// Layout values in the workstation's local INI file (INILOKAL), one section per window key.
// Every value is read with a default; when the value read equals the default (also when the
// entry is missing) the default is written back at once, so the first use of a window key
// leaves all its entries in the file.

// An integer; an entry that is no number reads as 0. The default is written back
// right-aligned in `width` characters (0: as it is).
int readLayoutNumber(const std::string& section, const std::string& key, int fallback,
                     int width = 0);
// ".T." in any letter case is true, anything else false; written as ".T." or ".F.".
bool readLayoutFlag(const std::string& section, const std::string& key, bool fallback);
std::string readLayoutText(const std::string& section, const std::string& key,
                           const std::string& fallback);

void writeLayoutNumber(const std::string& section, const std::string& key, int value);
void writeLayoutFlag(const std::string& section, const std::string& key, bool value);
void writeLayoutText(const std::string& section, const std::string& key, const std::string& value);

// The integer a layout text stands for: its blanks removed, an optional sign and digits;
// anything else gives 0.
int layoutNumber(std::string_view text);

}  // namespace views
