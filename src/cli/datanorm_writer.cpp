#include "cli/datanorm_writer.h"

#include <array>

#include "base/cp850.h"

namespace cli {

namespace {

constexpr size_t kFlushSize = 1 << 20;  // bytes buffered before a write

// Windows-1252 to CP850 for every character that exactly one CP850 character turns into
// (umlauts, accented letters, symbols); ASCII and the targets of the DOS-to-Windows best
// fits (box drawing became + - and the like) stay as they are.
const std::array<char, 256>& oemTable() {
  static const std::array<char, 256> table = [] {
    std::array<int, 256> sources{};
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<char>(i);
    for (int oem = 128; oem < 256; ++oem) {
      unsigned char ansi = base::ansiFromOem(static_cast<unsigned char>(oem));
      if (ansi >= 128 && ++sources[ansi] == 1) t[ansi] = static_cast<char>(oem);
    }
    for (int ansi = 128; ansi < 256; ++ansi) {
      if (sources[ansi] > 1) t[ansi] = static_cast<char>(ansi);
    }
    return t;
  }();
  return table;
}

std::string padded(std::string_view text, size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace

DatanormWriter::DatanormWriter(const std::filesystem::path& file)
    : m_file(std::fopen(file.c_str(), "wb")), m_ok(m_file != nullptr) {
  m_buffer.reserve(kFlushSize + 2048);
}

DatanormWriter::~DatanormWriter() {
  close();
}

void DatanormWriter::header(std::string_view ddmmyy, std::string_view line1, std::string_view line2,
                            std::string_view line3, std::string_view currency) {
  line("V " + padded(ddmmyy, 6) + padded(line1, 40) + padded(line2, 40) + padded(line3, 35) + "04" +
       padded(currency, 3));
}

void DatanormWriter::line(std::string_view ansi) {
  const std::array<char, 256>& oem = oemTable();
  for (char c : ansi) m_buffer += oem[static_cast<unsigned char>(c)];
  m_buffer += "\r\n";
  if (m_buffer.size() >= kFlushSize) flush();
}

void DatanormWriter::flush() {
  if (m_file && !m_buffer.empty() &&
      std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
    m_ok = false;
  }
  m_buffer.clear();
}

bool DatanormWriter::close() {
  if (!m_file) return m_ok;
  flush();
  if (std::fclose(m_file) != 0) m_ok = false;
  m_file = nullptr;
  return m_ok;
}

}  // namespace cli
