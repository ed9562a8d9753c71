#include "app/paths.h"

#include <algorithm>
#include <cstdlib>

#include "base/cp1252.h"
#include "base/ini_file.h"
#include "ui/port.h"
#include "util/files.h"
#include "xbase/common/file.h"

namespace app {

namespace {

constexpr size_t kMaxWorkstationName = 8;  // characters

struct Paths {
  std::string main;
  std::string global;
  std::string local;
};

Paths& paths() {
  static Paths values;
  return values;
}

std::string_view trimBlanks(std::string_view s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The first n characters of a UTF-8 text (a character is a lead byte with its
// continuation bytes).
std::string_view firstCharacters(std::string_view s, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    bool lead = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
    if (lead && count++ == n) return s.substr(0, i);
  }
  return s;
}

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::filesystem::path programDirectory() {
  if (const char* home = std::getenv("ARTIKIMP_HOME"); home && *home) {
    return std::filesystem::absolute(home).lexically_normal();
  }
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

std::string workstationName(std::string_view argument) {
  std::string_view name = trimBlanks(util::fileNamePart(argument));
  name = trimBlanks(name.substr(0, name.rfind('.')));
  return std::string(trimBlanks(firstCharacters(name, kMaxWorkstationName)));
}

void setupPaths(const std::filesystem::path& programDir, std::string_view argument) {
  Paths& p = paths();
  p.main = withoutTrailingSlash(programDir.string());
  p.global = xbase::resolveCaseInsensitive(p.main + "/ARTIKIMP.INI");
  p.local = p.global;

  std::string lokal = xbase::resolveCaseInsensitive(p.main + "/lokal");
  std::error_code ec;
  std::filesystem::create_directory(lokal, ec);  // a failure shows in the write below

  std::string name = workstationName(argument);
  if (name.empty()) return;
  // A '\' left in the name is a folder separator, as on Windows: the path then leads into
  // a folder that does not exist and the write below fails.
  std::string fileName = base::upperUtf8(name) + ".INI";
  std::replace(fileName.begin(), fileName.end(), '\\', '/');
  std::string local = xbase::resolveCaseInsensitive(lokal + "/" + fileName);
  if (base::writeProfileString(local, "Config", "Lokal", base::ansi(local))) {
    p.local = local;
  } else {
    ui::port().information(
        "QMT Datanorm", base::ansi("Konnte lokale Einstellungs-Datei nicht anlegen:\r\n" + local));
  }
}

std::string MAINPFAD() {
  return paths().main;
}

std::string INIGLOBAL() {
  return paths().global;
}

std::string INILOKAL() {
  return paths().local;
}

}  // namespace app
