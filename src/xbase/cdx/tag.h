#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/key_list.h"
#include "xbase/cdx/page.h"
#include "xbase/cdx/page_store.h"
#include "xbase/cdx/tag_header.h"
#include "xbase/cdx/tag_info.h"
#include "xbase/common/status.h"

namespace xbase::cdx {

// One tag of a compound index: a B+-tree of (key, record number) entries. Pages are decoded
// on first use, kept in memory and written back by CdxFile::flush().
class Tag {
 public:
  // A position in physical order (ascending key, then record number).
  struct Cursor {
    bool valid = false;
    std::string key;
    uint32_t recno = 0;

   private:
    friend class Tag;
    uint32_t m_page = kNoPage;
    size_t m_slot = 0;
    uint64_t m_stamp = 0;
    // Sibling steps since the cursor was last placed by a descent: a walk along sibling
    // pointers that form a circle ends when this exceeds the pages of the file.
    uint64_t m_hops = 0;
  };

  Tag(const Tag&) = delete;
  Tag& operator=(const Tag&) = delete;

  const TagInfo& info() const { return m_info; }
  // Trailing fill byte of the leaf compression: ' ' for character keys, 0 for numeric, date,
  // integer and logical keys. The file does not record the key type; set it right after
  // opening. Default ' '.
  void setFill(char fill);
  char fill() const { return m_fill; }

  // key is exactly keyLength bytes. Inserting an entry that is present changes nothing. In a
  // unique tag a key that is present is not inserted again; the lowest record number keeps it.
  // Inserts are collected and merged into the tree in key order before the tag is next read,
  // changed otherwise, checked or flushed, so that a run of inserts visits each page once.
  // The Status covers the arguments; a failure while merging is reported by the operation
  // that merges.
  Status insert(std::string_view key, uint32_t recno);
  // NotFound when the entry is absent.
  Status remove(std::string_view key, uint32_t recno);

  // A cursor stays usable across inserts and removes: when the tree changed since it was set,
  // next() and prev() find their place again from the cursor's (key, recno).
  Status first(Cursor& c);
  Status last(Cursor& c);
  // First entry >= (key, recno); invalid at the end. A key shorter than keyLength is padded
  // with 0x00, so the cursor lands on the first key that begins with it.
  Status seekGE(std::string_view key, uint32_t recno, Cursor& c);
  // Invalid past either end.
  Status next(Cursor& c);
  Status prev(Cursor& c);

  // Decoded leaves kept in memory between operations (default 64); changed leaves stay
  // until they are written whatever the limit. Small on purpose: appends and sequential
  // keys work on a few leaves, and a tag with random keys finds few of its leaves in memory
  // at any limit that memory allows; a larger cache only measured slower (its pages are
  // cold in the processor cache when they are needed again).
  void setCachedLeaves(size_t leaves) { m_cachedLeaves = leaves; }

  // Checks the whole tree: page kinds and root attribute, leaf encodings that fit and whose
  // free space is exact, strictly ascending (key, recno) along every level, sibling links both
  // ways, interior entries equal to the last entry of their child, all leaves at one depth,
  // pages inside the file, no page reached twice. Corruption names the page and the fault.
  Status check(uint64_t* keyCount);

 private:
  friend class CdxFile;

  // One page on the way from the root to a leaf, with the entry taken (the lower bound in
  // the leaf).
  struct Step {
    Page* page;
    size_t slot;
  };

  Tag(PageStore& store, const TagHeader& header, char fill);
  // After another program changed the file: new header, every cached page dropped.
  void reset(const TagHeader& header);
  // The tag is gone from the file's directory, or the file could not be read again after
  // another program changed it: every operation fails until a reset().
  void retire();
  bool hasChanges() const { return m_rootDirty || !m_dirty.empty() || m_pending.size() > 0; }
  size_t changedPages() const { return m_dirty.size(); }
  // Merges the collected inserts into the tree.
  Status applyPending();
  Status insertNow(std::string_view key, uint32_t recno);
  // Changed pages still cached (a page freed after its change is left out).
  void collectDirty(std::vector<const Page*>* pages) const;
  // After the pages were written: writes a changed root pointer, marks everything clean.
  Status commit();

  Status fail(const std::string& what) const;
  Status retiredError() const;
  Status checkWritable(std::string_view key, uint32_t recno) const;
  Page* cached(uint32_t offset) const;
  Page* keep(std::unique_ptr<Page> page);
  // A blank page object; for a leaf a spare one when there is one (interior pages stay in
  // memory for good and should not carry a leaf's buffers).
  std::unique_ptr<Page> blankPage(bool leaf);
  // Drops clean leaves not used since the last trim once more leaves than the cache holds
  // are decoded, so that memory stays flat however large the tag. Only between operations:
  // no Page pointer may be held across it.
  void trimCache();
  Status loadPage(uint32_t offset, Page** out);
  // The page beside `page` on its level; it must be of the same kind.
  Status loadSibling(const Page& page, uint32_t offset, Page** out);
  Page* newPage(uint16_t attributes);
  void markDirty(Page* page);
  void dropPage(Page* page);
  // Fills m_path from the root to the leaf holding the lower bound of (key, recno).
  Status descend(const char* key, uint32_t recno);
  // Copies the last entry of m_path[level] into the entries above it as far as it is last.
  void updateParents(size_t level);
  // Splits m_path[level] in two, inserting the new page into the level above (a new root
  // when it was the root). atEnd: only the last entry moves (appends keep pages full).
  Status splitPage(size_t level, bool atEnd);
  // m_path[level] lost entry pos: frees empty pages, keeps the entries above right.
  Status entryRemoved(size_t level, size_t pos);
  Status unlinkAndFree(Page* page);
  // Replaces a root interior page with a single child by that child.
  Status shrinkRoot();

  // The first entry at or after (page, slot) along the right siblings; page nullptr at the end.
  Status forward(Page*& page, size_t& slot, uint64_t& hops);
  // The last entry at or before (page, slot) along the left siblings; slot -1 means before
  // the first entry of page.
  Status backward(Page*& page, ptrdiff_t& slot, uint64_t& hops);
  void place(Cursor& c, const Page* page, size_t slot, uint64_t hops);
  // Where the cursor's entry is: its own page and slot while the tree is unchanged, else the
  // lower bound of its (key, recno) found from the root (hops restart then).
  Status refind(Cursor& c, Page** page, size_t* slot);
  Status edgeLeaf(bool rightmost, Page** out);
  // A changed page encodes within its page and decodes to the same entries.
  Status checkEncoding(const Page& page) const;

  PageStore& m_store;
  TagInfo m_info;
  uint32_t m_root;
  bool m_rootDirty = false;
  bool m_retired = false;
  char m_fill;
  uint64_t m_stamp = 1;
  // Decoded pages by page number (offset / 512); a direct index keeps the descent free of
  // hashing.
  std::vector<std::unique_ptr<Page>> m_pages;
  // Page numbers of the leaves held decoded; an entry may repeat or name a page dropped
  // since, until the next trim sorts them out.
  std::vector<uint32_t> m_leaves;
  size_t m_cachedLeaves = 64;
  // Leaves the last trim let go, kept for the next reads: their buffers have the capacity a
  // leaf needs, so a leaf read again allocates nothing. At most as many as the cache holds:
  // a trim after a large write-back would otherwise keep every page it let go.
  std::vector<std::unique_ptr<Page>> m_spare;
  // The next trim waits for this many entries when changed leaves kept the last one above
  // the limit.
  size_t m_trimAt = 0;
  std::vector<uint32_t> m_dirty;
  KeyList m_pending;
  std::vector<Step> m_path;
  std::string m_seekKey;
};

}  // namespace xbase::cdx
