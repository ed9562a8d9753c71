#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace cli {

// Writes a Datanorm file the way suppliers send them: lines in the DOS code page (CP850),
// each ended by CR LF. Lines are given in Windows-1252, the system's own text encoding.
class DatanormWriter {
 public:
  explicit DatanormWriter(const std::filesystem::path& file);
  ~DatanormWriter();
  DatanormWriter(const DatanormWriter&) = delete;
  DatanormWriter& operator=(const DatanormWriter&) = delete;

  // The header record: "V", a blank, the date DDMMYY, the three supplier lines padded or
  // cut to 40, 40 and 35 characters, the Datanorm version "04" and the currency code.
  void header(std::string_view ddmmyy, std::string_view line1, std::string_view line2,
              std::string_view line3, std::string_view currency);
  void line(std::string_view ansi);
  // Writes what is buffered and closes the file; false when anything could not be written.
  bool close();

 private:
  void flush();

  std::FILE* m_file;
  std::string m_buffer;
  bool m_ok;
};

}  // namespace cli
