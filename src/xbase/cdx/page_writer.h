#pragma once

#include <cstdint>
#include <vector>

#include "xbase/common/file.h"

namespace xbase::cdx {

// Collects encoded pages and writes each run of adjacent pages with one write.
class PageWriter {
 public:
  explicit PageWriter(File& file) : m_file(file) {}
  // A 512-byte buffer for the page at `offset`, valid until the next call. It holds whatever
  // an earlier page left there: the caller writes all of it.
  Status page(uint32_t offset, uint8_t** buf);
  Status finish();
  // Forgets pages collected but not written (after a failure).
  void clear() { m_used = 0; }

 private:
  File& m_file;
  uint64_t m_start = 0;
  std::vector<uint8_t> m_run;  // grows, never shrinks: its first m_used bytes are the run
  size_t m_used = 0;
};

}  // namespace xbase::cdx
