#include "xbase/cdx/page_writer.h"

#include "xbase/cdx/layout.h"

namespace xbase::cdx {

namespace {
constexpr size_t kMaxRun = 1 << 20;
}  // namespace

Status PageWriter::page(uint32_t offset, uint8_t** buf) {
  if (!m_run.empty() && (offset != m_start + m_run.size() || m_run.size() >= kMaxRun))
    XBASE_RETURN_IF_ERROR(finish());
  if (m_run.empty()) m_start = offset;
  m_run.resize(m_run.size() + kPageSize, 0);
  *buf = m_run.data() + m_run.size() - kPageSize;
  return Status::ok();
}

Status PageWriter::finish() {
  if (m_run.empty()) return Status::ok();
  Status st = m_file.writeAt(m_start, m_run.data(), m_run.size());
  m_run.clear();
  return st;
}

}  // namespace xbase::cdx
