#include "util/files.h"

#include <algorithm>

#include "base/cp1252.h"
#include "ui/port.h"
#include "xbase/common/file.h"

namespace util {

namespace {

// Wildcard match on upper-cased 1252 texts: '*' any run, '?' one character.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool matchesFileName(std::string_view pattern, std::string_view name) {
  if (wildcardMatch(pattern, name)) return true;
  // "name.*" stands for the name with any extension or none.
  return pattern.ends_with(".*") && wildcardMatch(pattern.substr(0, pattern.size() - 2), name);
}

std::string comparable(std::string_view fileSystemName) {
  return base::upperAnsi(base::ansi(fileSystemName));
}

}  // namespace

std::vector<std::string> GETFILELIST(const std::filesystem::path& pattern, bool withExtension,
                                     bool sorted) {
  std::filesystem::path folder = pattern.has_parent_path() ? pattern.parent_path() : ".";
  std::string wanted = comparable(pattern.filename().string());
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || !matchesFileName(wanted, comparable(name))) continue;
    names.push_back(withExtension ? name : name.substr(0, name.rfind('.')));
  }
  if (sorted) std::sort(names.begin(), names.end());
  return names;
}

std::string_view fileNamePart(std::string_view path) {
  size_t separator = path.find_last_of("\\/");
  if (separator != std::string_view::npos && separator + 1 < path.size()) {
    return path.substr(separator + 1);
  }
  if (size_t colon = path.find(':'); colon != std::string_view::npos) return path.substr(colon + 1);
  return path;
}

std::string CFILENOPATH(std::string_view path) {
  return base::upperAnsi(fileNamePart(path));
}

bool TESTDATEI(const std::string& folder, const std::vector<std::string>& names,
               const std::string& title) {
  for (const std::string& name : names) {
    if (xbase::FileSystem::real().exists(base::utf8FromAnsi(folder + name))) continue;
    ui::port().information(title, "Datei: " + folder + name + "\r\nnicht vorhanden");
    return false;
  }
  return true;
}

}  // namespace util
