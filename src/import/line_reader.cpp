#include "import/line_reader.h"

#include <algorithm>
#include <cstring>

namespace dnorm {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
}  // namespace

LineReader::LineReader(size_t blockSize, xbase::FileSystem* fs)
    : m_blockSize(std::max(blockSize, kLineLimit)), m_fs(fs ? fs : &xbase::FileSystem::real()) {}

bool LineReader::open(const std::string& path) {
  close();
  if (!m_fs->exists(path)) return true;
  if (!m_fs->open(path, xbase::OpenMode::ReadOnly, &m_file).isOk()) return false;
  if (!m_file->size(&m_length).isOk()) {
    close();
    return false;
  }
  m_window.resize(m_blockSize);
  countLines();
  return true;
}

void LineReader::close() {
  m_file.reset();
  m_length = m_lineCount = m_pos = 0;
  m_windowStart = 0;
  m_windowLength = 0;
  std::vector<char>().swap(m_window);
}

bool LineReader::load(uint64_t offset) {
  m_windowStart = offset;
  m_windowLength = 0;
  size_t want =
      static_cast<size_t>(std::min<uint64_t>(m_blockSize, m_length - std::min(offset, m_length)));
  if (want == 0) return true;
  return m_file->readAt(offset, m_window.data(), want, &m_windowLength).isOk();
}

void LineReader::countLines() {
  bool previousCr = false;
  for (uint64_t offset = 0; offset < m_length; offset += m_windowLength) {
    if (!load(offset) || m_windowLength == 0) break;
    const char* p = m_window.data();
    if (previousCr && p[0] == kLf) ++m_lineCount;  // a pair straddling two blocks
    for (size_t i = 0; i + 1 < m_windowLength; ++i) {
      if (p[i] == kCr && p[i + 1] == kLf) ++m_lineCount;
    }
    previousCr = p[m_windowLength - 1] == kCr;
  }
}

bool LineReader::findPair(uint64_t from, uint64_t limit, uint64_t* at) {
  limit = std::min(limit, m_length);
  uint64_t pos = from;
  while (pos + 1 < limit) {
    uint64_t windowEnd = m_windowStart + m_windowLength;
    // The pair at pos needs both bytes in the window; a CR on the window's last byte
    // reloads the window from that CR, so a pair across two blocks is found.
    if (pos < m_windowStart || pos + 1 >= windowEnd) {
      if (!load(pos) || m_windowLength < 2) return false;
      windowEnd = m_windowStart + m_windowLength;
    }
    const char* base = m_window.data() - m_windowStart;
    uint64_t scanEnd = std::min(windowEnd, limit) - 1;  // last possible CR position + 1
    const void* cr = std::memchr(base + pos, kCr, static_cast<size_t>(scanEnd - pos));
    if (!cr) {
      pos = scanEnd;
      continue;
    }
    pos = static_cast<uint64_t>(static_cast<const char*>(cr) - base);
    if (base[pos + 1] == kLf) {
      *at = pos;
      return true;
    }
    ++pos;
  }
  return false;
}

std::string LineReader::currentLine() {
  if (!m_file || m_pos >= m_length) return {};
  uint64_t end = 0;
  if (!findPair(m_pos, m_pos + kLineLimit, &end)) end = std::min(m_pos + kLineLimit, m_length);
  if (m_pos < m_windowStart || end > m_windowStart + m_windowLength) {
    if (!load(m_pos)) return {};
    end = std::min<uint64_t>(end, m_windowStart + m_windowLength);
  }
  return std::string(m_window.data() + (m_pos - m_windowStart), static_cast<size_t>(end - m_pos));
}

bool LineReader::advance() {
  if (!m_file || m_pos >= m_length) return false;
  uint64_t at = 0;
  if (!findPair(m_pos, m_length, &at)) {
    m_pos = m_length;
    return false;
  }
  m_pos = at + 2;
  return true;
}

}  // namespace dnorm
