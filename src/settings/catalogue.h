#pragma once

#include <array>
#include <string>
#include <vector>

namespace settings {

// The 21 import settings, numbered from 1, stored in section "Voreinstellungen" of the
// global INI file.
struct SettingDef {
  const char* key;          // INI key, exactly as stored (blanks and slashes included)
  char type;                // 'C' text, 'N' number, 'L' logical
  int width;                // text only: padded to this width when read; 0 otherwise
  const char* defaultText;  // stored form used when the key is missing
};

constexpr int kSettingCount = 21;
constexpr const char* kSection = "Voreinstellungen";

// Index n-1 holds setting n.
extern const std::array<SettingDef, kSettingCount> kCatalogue;

// Fills the four lists with the keys, default texts, type letters and widths of the
// catalogue, at the positions of the setting numbers (index n-1). Returns true.
bool GETVOREININFO(std::vector<std::string>& keys, std::vector<std::string>& defaults,
                   std::vector<std::string>& types, std::vector<int>& widths);

}  // namespace settings
