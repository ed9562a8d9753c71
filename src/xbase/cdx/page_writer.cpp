#include "xbase/cdx/page_writer.h"

#include "xbase/cdx/layout.h"

namespace xbase::cdx {

namespace {
constexpr size_t kMaxRun = 1 << 20;
}  // namespace

Status PageWriter::page(uint32_t offset, uint8_t** buf) {
  if (m_used && (offset != m_start + m_used || m_used >= kMaxRun)) XBASE_RETURN_IF_ERROR(finish());
  if (!m_used) m_start = offset;
  m_used += kPageSize;
  if (m_run.size() < m_used) m_run.resize(m_used);
  *buf = m_run.data() + m_used - kPageSize;
  return Status::ok();
}

Status PageWriter::finish() {
  if (!m_used) return Status::ok();
  Status st = m_file.writeAt(m_start, m_run.data(), m_used);
  m_used = 0;
  return st;
}

}  // namespace xbase::cdx
