#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// An INI file with the semantics of the Windows profile functions, which the system's INI
// files were written for:
// - "[name]" starts a section, "key=value" is an entry; section and key names compare
//   without regard to case, blanks around names and values do not count;
// - a value enclosed in a pair of double or single quotes is read without them; reading
//   returns at most kMaxValueLength characters;
// - a section's entries are those up to the next section header; a name that appears twice
//   means its first occurrence;
// - comments (";..."), blank lines and lines that are neither header nor entry are kept as
//   they stand, as are the line ends of every line (LF, CRLF or CR). Lines added take the
//   file's first line end; a new file gets CRLF.
// The text is taken as bytes (Windows-1252 in this system); binary bytes, very long lines
// or missing brackets never make it fail.
class IniFile {
 public:
  static constexpr size_t kMaxValueLength = 4094;

  // The document of a file. A missing file gives an empty document; nullopt when the file
  // exists but cannot be read (so that a later save does not destroy it).
  static std::optional<IniFile> load(const std::filesystem::path& path);
  static IniFile parse(std::string_view bytes);
  std::string bytes() const;

  // The value of an entry, or nullopt when the section or the key is missing. An entry
  // present with an empty value gives the empty text.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // Replaces the first entry of the key in place (keeping the key's spelling), or adds it
  // after the last line of the section, or adds the section at the end of the file. A value
  // is one line: it is cut at its first line break.
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section of that name with all its lines.
  void removeSection(std::string_view section);
  // The keys of the section's entries in file order, as spelled in the file.
  std::vector<std::string> keys(std::string_view section) const;

  // Writes the document atomically: a temporary file in the same folder, then a rename,
  // so a crash leaves the old or the new file, never half of one. Fails when the folder is
  // missing, a read-only file stands there, or a write fails.
  bool save(const std::filesystem::path& path) const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
  };
  struct Range {
    size_t header;  // index of the "[name]" line
    size_t end;     // one past the section's last line
  };

  std::optional<Range> findSection(std::string_view section) const;
  std::string newLineEnd() const;
  void insertLine(size_t at, std::string text);

  std::vector<Line> m_lines;
};

// The profile functions on a file, one access each, as the system's code uses them.
// A missing file or section reads as `fallback`; the first write creates the file.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback);
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace base
