#include "views/layout_values.h"

#include <charconv>
#include <cstdio>

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/ini_file.h"

namespace views {

namespace {

std::string flagText(bool value) {
  return value ? ".T." : ".F.";
}

std::string numberText(int value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%*d", width, value);
  return text;
}

}  // namespace

int layoutNumber(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c != ' ') digits += c;
  const char* first = digits.data();
  if (!digits.empty() && digits.front() == '+') ++first;
  int value = 0;
  auto [end, error] = std::from_chars(first, digits.data() + digits.size(), value);
  return error == std::errc() && end == digits.data() + digits.size() ? value : 0;
}

std::string readLayoutText(const std::string& section, const std::string& key,
                           const std::string& fallback) {
  std::string value = base::readProfileString(app::INILOKAL(), section, key, fallback);
  if (value == fallback) writeLayoutText(section, key, fallback);
  return value;
}

int readLayoutNumber(const std::string& section, const std::string& key, int fallback, int width) {
  std::string text = numberText(fallback, width);
  int value = layoutNumber(base::readProfileString(app::INILOKAL(), section, key, text));
  if (value == fallback) writeLayoutText(section, key, text);
  return value;
}

bool readLayoutFlag(const std::string& section, const std::string& key, bool fallback) {
  std::string text = base::readProfileString(app::INILOKAL(), section, key, flagText(fallback));
  bool value = base::equalsIgnoringCase(text, ".T.");
  if (value == fallback) writeLayoutFlag(section, key, fallback);
  return value;
}

void writeLayoutNumber(const std::string& section, const std::string& key, int value) {
  writeLayoutText(section, key, numberText(value, 0));
}

void writeLayoutFlag(const std::string& section, const std::string& key, bool value) {
  writeLayoutText(section, key, flagText(value));
}

void writeLayoutText(const std::string& section, const std::string& key, const std::string& value) {
  base::writeProfileString(app::INILOKAL(), section, key, value);
}

}  // namespace views
