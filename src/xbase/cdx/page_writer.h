#pragma once

#include <cstdint>
#include <vector>

#include "xbase/common/file.h"

namespace xbase::cdx {

// Collects encoded pages and writes each run of adjacent pages with one write.
class PageWriter {
 public:
  explicit PageWriter(File& file) : m_file(file) {}
  // A zeroed 512-byte buffer for the page at `offset`, valid until the next call.
  Status page(uint32_t offset, uint8_t** buf);
  Status finish();
  // Forgets pages collected but not written (after a failure).
  void clear() { m_run.clear(); }

 private:
  File& m_file;
  uint64_t m_start = 0;
  std::vector<uint8_t> m_run;
};

}  // namespace xbase::cdx
