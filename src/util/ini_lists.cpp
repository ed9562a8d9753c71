#include "util/ini_lists.h"

#include "base/ini_file.h"
#include "util/text_helpers.h"

namespace util {

std::vector<std::string> GETINIARRAY(const std::string& section, const std::filesystem::path& file,
                                     const std::vector<std::string>& keys) {
  base::IniFile ini = base::IniFile::load(file).value_or(base::IniFile{});
  std::vector<std::string> values;
  for (const std::string& key : keys.empty() ? ini.keys(section) : keys) {
    values.push_back(ini.value(section, key).value_or(""));
  }
  return values;
}

std::string GETTEXTINIARRAY(const std::string& section, const std::filesystem::path& file) {
  std::vector<std::string> lines = GETINIARRAY(section, file);
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
  return text;
}

bool SETINIARRAY(const std::string& section, const std::filesystem::path& file,
                 const std::vector<std::string>& values, const std::vector<std::string>& keys,
                 bool quoted) {
  auto ini = base::IniFile::load(file);
  if (!ini) return true;
  std::string before = ini->bytes();
  ini->removeSection(section);
  for (size_t i = 0; i < values.size(); ++i) {
    std::string key = i < keys.size() ? keys[i] : "Z" + std::to_string(i + 1);
    ini->setValue(section, key, quoted ? "\"" + values[i] + "\"" : values[i]);
  }
  // Nothing to remove and nothing to write: no file is created.
  if (ini->bytes() != before) ini->save(file);
  return true;
}

bool SETTEXTINIARRAY(const std::string& section, const std::filesystem::path& file,
                     const std::string& text, bool quoted) {
  return SETINIARRAY(section, file, TEXTTOARRAY(text), {}, quoted);
}

}  // namespace util
