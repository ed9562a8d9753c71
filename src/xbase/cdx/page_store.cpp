#include "xbase/cdx/page_store.h"

#include <cstring>

#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/layout.h"

namespace xbase::cdx {

namespace {

bool isEndOfList(uint32_t offset) {
  return offset == 0 || offset == kNoPage;
}

}  // namespace

Status PageStore::load() {
  uint64_t size = 0;
  XBASE_RETURN_IF_ERROR(m_file->size(&size));
  if (size < kHeaderSize + kPageSize || size % kPageSize != 0 || size > 0xFFFFFFFFull)
    return Status::corruption(path() + ": index file size " + std::to_string(size) +
                              " is not a whole number of 512-byte pages behind the header");
  m_end = size;
  XBASE_RETURN_IF_ERROR(m_file->readExact(kHdrFreeList, m_seen, sizeof m_seen));
  m_freeHead = getLe32(m_seen);
  if (isEndOfList(m_freeHead)) m_freeHead = 0;
  m_counter = getBe32(m_seen + (kHdrCounter - kHdrFreeList));
  m_freed.clear();
  m_taken.clear();
  m_changed = false;
  return Status::ok();
}

Status PageStore::checkPage(uint32_t offset, const std::string& what) const {
  if (!isPage(offset))
    return Status::corruption(path() + ": " + what + " points to offset " + std::to_string(offset) +
                              ", not a page of the file");
  return Status::ok();
}

Status PageStore::checkHeader(uint32_t offset, const std::string& what) const {
  if (offset % kPageSize != 0 || offset < kHeaderSize || offset + uint64_t{kHeaderSize} > m_end)
    return Status::corruption(path() + ": " + what + " points to offset " + std::to_string(offset) +
                              ", not a tag header of the file");
  return Status::ok();
}

Status PageStore::readPage(uint32_t offset, uint8_t* buf) {
  return m_file->readExact(offset, buf, kPageSize);
}

bool PageStore::readFreePage(uint32_t offset, uint32_t* next) {
  uint8_t page[kPageSize];
  if (!m_file->readExact(offset, page, sizeof page).isOk()) return false;
  // A page in use always has non-zero bytes after its first four (attributes, siblings).
  for (size_t i = 4; i < kPageSize; ++i)
    if (page[i] != 0) return false;
  *next = getLe32(page);
  if (isEndOfList(*next)) *next = 0;
  return true;
}

uint32_t PageStore::allocate() {
  m_changed = true;
  if (m_freeHead != 0) {
    const uint32_t page = m_freeHead;
    if (auto it = m_freed.find(page); it != m_freed.end()) {
      m_freeHead = it->second;
      m_freed.erase(it);
      return page;
    }
    uint32_t next = 0;
    if (checkPage(page, "free list").isOk() && !m_taken.count(page) && readFreePage(page, &next)) {
      m_freeHead = next;
      m_taken.insert(page);
      return page;
    }
    m_freeHead = 0;
  }
  const uint32_t page = static_cast<uint32_t>(m_end);
  m_end += kPageSize;
  return page;
}

uint32_t PageStore::allocateHeader() {
  m_changed = true;
  uint32_t page = static_cast<uint32_t>(m_end);
  m_end += kHeaderSize;
  return page;
}

void PageStore::release(uint32_t offset) {
  m_changed = true;
  m_taken.erase(offset);
  m_freed[offset] = m_freeHead;
  m_freeHead = offset;
}

Status PageStore::commit() {
  if (!m_changed) return Status::ok();
  putLe32(m_seen, m_freeHead);
  putBe32(m_seen + (kHdrCounter - kHdrFreeList), ++m_counter);
  XBASE_RETURN_IF_ERROR(m_file->writeAt(kHdrFreeList, m_seen, sizeof m_seen));
  m_freed.clear();
  m_changed = false;
  return Status::ok();
}

Status PageStore::changedOnDisk(bool* changed) {
  uint8_t now[8];
  XBASE_RETURN_IF_ERROR(m_file->readExact(kHdrFreeList, now, sizeof now));
  *changed = std::memcmp(now, m_seen, sizeof now) != 0;
  return Status::ok();
}

void PageStore::forgetSeen() {
  // Offsets 4-11 never hold this: a free list that starts at the end of a 4 GiB file.
  std::memset(m_seen, 0xFF, sizeof m_seen);
}

}  // namespace xbase::cdx
