#include "xbase/common/memory_file.h"

#include <algorithm>
#include <cstring>

namespace xbase {

MemoryFile::MemoryFile(std::string path, std::string bytes)
    : m_path(std::move(path)), m_bytes(std::move(bytes)) {}

Status MemoryFile::readAt(uint64_t offset, void* buf, size_t n, size_t* got) {
  if (offset >= m_bytes.size()) {
    *got = 0;
    return Status::ok();
  }
  *got = std::min<uint64_t>(n, m_bytes.size() - offset);
  std::memcpy(buf, m_bytes.data() + offset, *got);
  return Status::ok();
}

Status MemoryFile::writeAt(uint64_t offset, const void* buf, size_t n) {
  if (offset + n > m_bytes.size()) m_bytes.resize(offset + n, '\0');
  std::memcpy(m_bytes.data() + offset, buf, n);
  return Status::ok();
}

Status MemoryFile::size(uint64_t* out) {
  *out = m_bytes.size();
  return Status::ok();
}

Status MemoryFile::truncate(uint64_t size) {
  m_bytes.resize(size, '\0');
  return Status::ok();
}

}  // namespace xbase
