#include "base/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "base/cp1252.h"

namespace base {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";

std::string_view trim(std::string_view s) {
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The name of a section header line "[name]"; nullopt for any other line.
std::optional<std::string_view> headerName(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

// Key and raw value of an entry line "key=value"; nullopt for headers, comments, blank
// lines and lines without a key.
std::optional<Entry> entryOf(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() == ';' || headerName(t)) return std::nullopt;
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view key = trim(t.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return Entry{key, trim(t.substr(eq + 1))};
}

std::string_view unquoted(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<IniFile> IniFile::load(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // A missing file is an empty document; one that is there but unreadable is not.
    return (errno == ENOENT || errno == ENOTDIR) ? std::optional(IniFile{}) : std::nullopt;
  }
  struct stat st;
  std::string content;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  ssize_t n = 0;
  while (ok && (n = ::read(fd, buffer, sizeof buffer)) > 0)
    content.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  if (!ok || n < 0) return std::nullopt;
  return parse(content);
}

IniFile IniFile::parse(std::string_view bytes) {
  IniFile ini;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t brk = bytes.find_first_of("\r\n", start);
    if (brk == std::string_view::npos) {
      ini.m_lines.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    size_t endLength =
        (bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n') ? 2 : 1;
    ini.m_lines.push_back(
        {std::string(bytes.substr(start, brk - start)), std::string(bytes.substr(brk, endLength))});
    start = brk + endLength;
  }
  return ini;
}

std::string IniFile::bytes() const {
  std::string out;
  for (const Line& line : m_lines) out += line.text + line.end;
  return out;
}

std::optional<IniFile::Range> IniFile::findSection(std::string_view section) const {
  std::string_view wanted = trim(section);
  for (size_t i = 0; i < m_lines.size(); ++i) {
    auto name = headerName(m_lines[i].text);
    if (!name || !equalsIgnoringCase(*name, wanted)) continue;
    size_t end = i + 1;
    while (end < m_lines.size() && !headerName(m_lines[end].text)) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  auto range = findSection(section);
  if (!range) return std::nullopt;
  std::string_view wanted = trim(key);
  for (size_t i = range->header + 1; i < range->end; ++i) {
    auto entry = entryOf(m_lines[i].text);
    if (entry && equalsIgnoringCase(entry->key, wanted)) {
      return std::string(unquoted(entry->value).substr(0, kMaxValueLength));
    }
  }
  return std::nullopt;
}

std::string IniFile::newLineEnd() const {
  for (const Line& line : m_lines) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

void IniFile::insertLine(size_t at, std::string text) {
  std::string end = newLineEnd();
  // The line before gets a line end if it was the file's unterminated last line.
  if (at > 0 && m_lines[at - 1].end.empty()) m_lines[at - 1].end = end;
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), end});
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  std::string_view wantedKey = trim(key);
  auto range = findSection(section);
  if (!range) {
    if (!m_lines.empty() && !trim(m_lines.back().text).empty()) insertLine(m_lines.size(), "");
    insertLine(m_lines.size(), "[" + std::string(trim(section)) + "]");
    insertLine(m_lines.size(), std::string(wantedKey) + "=" + std::string(value));
    return;
  }
  size_t after = range->header + 1;
  for (size_t i = range->header + 1; i < range->end; ++i) {
    auto entry = entryOf(m_lines[i].text);
    if (entry && equalsIgnoringCase(entry->key, wantedKey)) {
      m_lines[i].text = std::string(entry->key) + "=" + std::string(value);
      return;
    }
    if (!trim(m_lines[i].text).empty()) after = i + 1;
  }
  insertLine(after, std::string(wantedKey) + "=" + std::string(value));
}

void IniFile::removeSection(std::string_view section) {
  while (auto range = findSection(section)) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
  }
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  std::vector<std::string> out;
  auto range = findSection(section);
  if (!range) return out;
  for (size_t i = range->header + 1; i < range->end; ++i) {
    if (auto entry = entryOf(m_lines[i].text)) out.emplace_back(entry->key);
  }
  return out;
}

bool IniFile::save(const std::filesystem::path& path) const {
  // A symbolic link keeps pointing to the file it named: replace the file, not the link.
  std::filesystem::path target = path;
  struct stat existing;
  if (::lstat(path.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
    std::error_code ec;
    target = std::filesystem::canonical(path, ec);
    if (ec) return false;
  }
  bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

  // Several workstations may write the same file: every writer has a temporary file of its own.
  std::filesystem::path temp;
  int fd = -1;
  std::random_device random;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = target;
    temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(random());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes()) && (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) &&
            ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  auto ini = IniFile::load(file);
  auto value = ini ? ini->value(section, key) : std::nullopt;
  return value ? *value : std::string(fallback);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  auto ini = IniFile::load(file);
  if (!ini) return false;
  ini->setValue(section, key, value);
  return ini->save(file);
}

}  // namespace base
