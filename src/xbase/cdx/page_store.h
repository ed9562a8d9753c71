#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "xbase/cdx/layout.h"
#include "xbase/common/file.h"

namespace xbase::cdx {

// The file under all tags of a compound index: page reads with bounds checks, page
// allocation (free list first, then the end of the file), freed pages, and the free-list
// head and change counter at offsets 4-11 of the file header.
class PageStore {
 public:
  explicit PageStore(std::unique_ptr<File> file) : m_file(std::move(file)) {}

  File& file() { return *m_file; }
  const std::string& path() const { return m_file->path(); }

  // Reads size, free-list head and counter of an existing file.
  Status load();

  // Pages in use, the file header included; bounds every walk.
  uint64_t pageCount() const { return m_end / kPageSize; }
  // A tree page must be 512-aligned, behind the file header and inside the file.
  bool isPage(uint32_t offset) const {
    return offset % kPageSize == 0 && offset >= kHeaderSize && offset + uint64_t{kPageSize} <= m_end;
  }
  Status checkPage(uint32_t offset, const std::string& what) const;
  // A tag header: 512-aligned, behind the file header, 1024 bytes inside the file.
  Status checkHeader(uint32_t offset, const std::string& what) const;
  Status readPage(uint32_t offset, uint8_t* buf);

  // A page for new content. A free list that leads outside the file, in a circle or to a page
  // that is not zero after its link is abandoned (its pages stay unused) rather than trusted.
  uint32_t allocate();
  // Two adjacent pages at the end of the file, for a tag header.
  uint32_t allocateHeader();
  void release(uint32_t offset);

  bool changed() const { return m_changed; }
  void markChanged() { m_changed = true; }
  // Pages freed since the last commit, each with the next page of the free list: a freed
  // page holds that offset in its first 4 bytes and zeros elsewhere.
  const std::map<uint32_t, uint32_t>& freedPages() const { return m_freed; }
  // Writes free-list head and counter + 1 when anything changed since the last commit.
  Status commit();
  // Whether another program changed the file since we last read or wrote offsets 4-11.
  Status changedOnDisk(bool* changed);
  // Makes the next changedOnDisk() report a change.
  void forgetSeen();

 private:
  // The link of a free page found on disk (0 at the end of the list); false when the page is
  // unreadable or does not look free.
  bool readFreePage(uint32_t offset, uint32_t* next);

  std::unique_ptr<File> m_file;
  uint64_t m_end = 0;
  uint32_t m_freeHead = 0;
  uint32_t m_counter = 0;
  uint8_t m_seen[8] = {};                // offsets 4-11 as last read or written
  std::map<uint32_t, uint32_t> m_freed;  // freed since the last commit -> next free page
  std::set<uint32_t> m_taken;            // in use, taken from the free list found on disk
  bool m_changed = false;
};

}  // namespace xbase::cdx
