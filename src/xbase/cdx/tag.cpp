#include "xbase/cdx/tag.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/page_codec.h"

namespace xbase::cdx {

Tag::Tag(PageStore& store, const TagHeader& header, char fill)
    : m_store(store),
      m_info(header.info),
      m_root(header.root),
      m_fill(fill),
      m_pending(header.info.keyLength) {}

void Tag::reset(const TagHeader& header) {
  m_retired = false;
  m_info = header.info;
  m_pending = KeyList(m_info.keyLength);
  m_root = header.root;
  m_rootDirty = false;
  m_pages.clear();
  m_spare.clear();
  m_leaves.clear();
  m_dirty.clear();
  ++m_stamp;
}

void Tag::retire() {
  m_retired = true;
  m_pending.clear();
  m_pages.clear();
  m_spare.clear();
  m_leaves.clear();
  m_dirty.clear();
  m_rootDirty = false;
  ++m_stamp;
}

void Tag::setFill(char fill) {
  if (fill == m_fill) return;
  m_fill = fill;
  // Clean pages were decoded with the old fill byte; changed ones are re-measured.
  for (auto& page : m_pages) {
    if (page && !page->dirty)
      page.reset();
    else if (page && page->isLeaf())
      recountLeaf(*page, fill);
  }
  ++m_stamp;
}

Status Tag::fail(const std::string& what) const {
  return Status::corruption(m_store.path() + ": tag " + m_info.name + ": " + what);
}

Status Tag::retiredError() const {
  return Status::notFound(m_store.path() + ": tag " + m_info.name +
                          " is gone or unreadable since another program changed the index");
}

Page* Tag::cached(uint32_t offset) const {
  const size_t number = offset / kPageSize;
  return number < m_pages.size() ? m_pages[number].get() : nullptr;
}

Page* Tag::keep(std::unique_ptr<Page> page) {
  const size_t number = page->offset / kPageSize;
  if (number >= m_pages.size()) m_pages.resize(number + 1);
  if (page->isLeaf()) m_leaves.push_back(static_cast<uint32_t>(number));
  m_pages[number] = std::move(page);
  return m_pages[number].get();
}

std::unique_ptr<Page> Tag::blankPage(bool leaf) {
  if (!leaf || m_spare.empty()) return std::make_unique<Page>();
  std::unique_ptr<Page> page = std::move(m_spare.back());
  m_spare.pop_back();
  page->reset();
  return page;
}

void Tag::trimCache() {
  if (m_leaves.size() <= std::max(m_cachedLeaves, m_trimAt)) return;
  std::sort(m_leaves.begin(), m_leaves.end());
  m_leaves.erase(std::unique(m_leaves.begin(), m_leaves.end()), m_leaves.end());
  // First the leaves not used since the last trim, then, when that freed too little, every
  // clean leaf; changed leaves stay until they are written.
  for (bool spareUsed : {true, false}) {
    size_t kept = 0;
    for (uint32_t number : m_leaves) {
      std::unique_ptr<Page>& page = m_pages[number];
      if (!page || !page->isLeaf()) continue;
      if (page->dirty || (spareUsed && page->used)) {
        page->used = false;
        m_leaves[kept++] = number;
      } else {
        if (m_spare.size() < m_cachedLeaves)
          m_spare.push_back(std::move(page));
        else
          page.reset();
      }
    }
    m_leaves.resize(kept);
    if (m_leaves.size() <= m_cachedLeaves / 2) break;
  }
  // Changed leaves cannot go; the next trim waits until as many more were decoded.
  m_trimAt = 2 * m_leaves.size();
}

Status Tag::loadPage(uint32_t offset, Page** out) {
  if (m_retired) return retiredError();
  if ((*out = cached(offset))) {
    (*out)->used = true;
    return Status::ok();
  }
  if (!m_store.isPage(offset)) return m_store.checkPage(offset, "tag " + m_info.name);
  uint8_t buf[kPageSize];
  XBASE_RETURN_IF_ERROR(m_store.readPage(offset, buf));
  std::unique_ptr<Page> page = blankPage(getLe16(buf + kNodeAttributes) & kAttrLeaf);
  XBASE_RETURN_IF_ERROR(
      decodePage(buf, offset, m_info.keyLength, m_fill, m_store.path(), page.get()));
  *out = keep(std::move(page));
  return Status::ok();
}

Status Tag::loadSibling(const Page& page, uint32_t offset, Page** out) {
  XBASE_RETURN_IF_ERROR(loadPage(offset, out));
  if ((*out)->isLeaf() != page.isLeaf() || *out == &page)
    return fail("page at offset " + std::to_string(page.offset) + " has a sibling at offset " +
                std::to_string(offset) + " that is not a page of its level");
  return Status::ok();
}

Status Tag::descend(const char* key, uint32_t recno) {
  m_path.clear();
  trimCache();
  uint32_t offset = m_root;
  for (uint64_t depth = 0; depth <= m_store.pageCount(); ++depth) {
    Page* page = nullptr;
    XBASE_RETURN_IF_ERROR(loadPage(offset, &page));
    size_t slot = page->lowerBound(key, recno);
    if (page->isLeaf()) {
      m_path.push_back({page, slot});
      return Status::ok();
    }
    if (page->count() == 0)
      return fail("interior page at offset " + std::to_string(offset) + " has no entries");
    if (slot == page->count()) slot = page->count() - 1;
    m_path.push_back({page, slot});
    offset = page->children[slot];
  }
  return fail("child pointers form a loop below the root at offset " + std::to_string(m_root));
}

Status Tag::forward(Page*& page, size_t& slot, uint64_t& hops) {
  while (slot >= page->count()) {
    if (page->right == kNoPage) {
      page = nullptr;
      return Status::ok();
    }
    if (++hops > m_store.pageCount())
      return fail("right sibling pointers form a loop at page offset " +
                  std::to_string(page->offset));
    XBASE_RETURN_IF_ERROR(loadSibling(*page, page->right, &page));
    slot = 0;
  }
  return Status::ok();
}

Status Tag::backward(Page*& page, ptrdiff_t& slot, uint64_t& hops) {
  while (slot < 0) {
    if (page->left == kNoPage) {
      page = nullptr;
      return Status::ok();
    }
    if (++hops > m_store.pageCount())
      return fail("left sibling pointers form a loop at page offset " +
                  std::to_string(page->offset));
    XBASE_RETURN_IF_ERROR(loadSibling(*page, page->left, &page));
    slot = static_cast<ptrdiff_t>(page->count()) - 1;
  }
  return Status::ok();
}

void Tag::place(Cursor& c, const Page* page, size_t slot, uint64_t hops) {
  c.valid = page != nullptr;
  if (!page) return;
  c.key.assign(page->keyAt(slot), m_info.keyLength);
  c.recno = page->recnos[slot];
  c.m_page = page->offset;
  c.m_slot = slot;
  c.m_stamp = m_stamp;
  c.m_hops = hops;
}

// The leaf at the far left or right end of the tree.
Status Tag::edgeLeaf(bool rightmost, Page** out) {
  trimCache();
  uint32_t offset = m_root;
  for (uint64_t depth = 0; depth <= m_store.pageCount(); ++depth) {
    XBASE_RETURN_IF_ERROR(loadPage(offset, out));
    if ((*out)->isLeaf()) return Status::ok();
    if ((*out)->count() == 0)
      return fail("interior page at offset " + std::to_string(offset) + " has no entries");
    offset = rightmost ? (*out)->children.back() : (*out)->children.front();
  }
  return fail("child pointers form a loop below the root at offset " + std::to_string(m_root));
}

Status Tag::first(Cursor& c) {
  XBASE_RETURN_IF_ERROR(applyPending());
  Page* page = nullptr;
  XBASE_RETURN_IF_ERROR(edgeLeaf(false, &page));
  size_t slot = 0;
  uint64_t hops = 0;
  XBASE_RETURN_IF_ERROR(forward(page, slot, hops));
  place(c, page, slot, hops);
  return Status::ok();
}

Status Tag::last(Cursor& c) {
  XBASE_RETURN_IF_ERROR(applyPending());
  Page* page = nullptr;
  XBASE_RETURN_IF_ERROR(edgeLeaf(true, &page));
  ptrdiff_t slot = static_cast<ptrdiff_t>(page->count()) - 1;
  uint64_t hops = 0;
  XBASE_RETURN_IF_ERROR(backward(page, slot, hops));
  place(c, page, static_cast<size_t>(slot), hops);
  return Status::ok();
}

Status Tag::seekGE(std::string_view key, uint32_t recno, Cursor& c) {
  if (key.size() > m_info.keyLength)
    return Status::invalidArgument(m_store.path() + ": tag " + m_info.name + ": seek key of " +
                                   std::to_string(key.size()) + " bytes for a key length of " +
                                   std::to_string(m_info.keyLength));
  XBASE_RETURN_IF_ERROR(applyPending());
  m_seekKey.assign(key);
  m_seekKey.resize(m_info.keyLength, '\0');
  XBASE_RETURN_IF_ERROR(descend(m_seekKey.data(), recno));
  Page* page = m_path.back().page;
  size_t slot = m_path.back().slot;
  uint64_t hops = 0;
  XBASE_RETURN_IF_ERROR(forward(page, slot, hops));
  place(c, page, slot, hops);
  return Status::ok();
}

Status Tag::refind(Cursor& c, Page** page, size_t* slot) {
  if (c.key.size() != m_info.keyLength)
    return Status::invalidArgument(m_store.path() + ": tag " + m_info.name +
                                   ": cursor holds a key of another length");
  trimCache();
  if (c.m_stamp == m_stamp) {
    if (Page* p = cached(c.m_page); p && c.m_slot < p->count()) {
      *page = p;
      *slot = c.m_slot;
      return Status::ok();
    }
  }
  XBASE_RETURN_IF_ERROR(descend(c.key.data(), c.recno));
  *page = m_path.back().page;
  *slot = m_path.back().slot;
  c.m_hops = 0;
  return Status::ok();
}

Status Tag::next(Cursor& c) {
  if (!c.valid) return Status::ok();
  XBASE_RETURN_IF_ERROR(applyPending());
  Page* page = nullptr;
  size_t slot = 0;
  XBASE_RETURN_IF_ERROR(refind(c, &page, &slot));
  if (slot < page->count() && page->compare(slot, c.key.data(), c.recno) == 0) ++slot;
  uint64_t hops = c.m_hops;
  XBASE_RETURN_IF_ERROR(forward(page, slot, hops));
  place(c, page, slot, hops);
  return Status::ok();
}

Status Tag::prev(Cursor& c) {
  if (!c.valid) return Status::ok();
  XBASE_RETURN_IF_ERROR(applyPending());
  Page* page = nullptr;
  size_t found = 0;
  XBASE_RETURN_IF_ERROR(refind(c, &page, &found));
  ptrdiff_t slot = static_cast<ptrdiff_t>(found) - 1;
  uint64_t hops = c.m_hops;
  XBASE_RETURN_IF_ERROR(backward(page, slot, hops));
  place(c, page, static_cast<size_t>(slot), hops);
  return Status::ok();
}

void Tag::collectDirty(std::vector<const Page*>* pages) const {
  for (uint32_t offset : m_dirty)
    if (const Page* page = cached(offset); page && page->dirty) pages->push_back(page);
}

Status Tag::commit() {
  if (m_rootDirty) {
    uint8_t root[4];
    putLe32(root, m_root);
    XBASE_RETURN_IF_ERROR(
        m_store.file().writeAt(m_info.headerOffset + kHdrRoot, root, sizeof root));
    m_rootDirty = false;
  }
  for (uint32_t offset : m_dirty)
    if (Page* page = cached(offset)) page->dirty = false;
  m_dirty.clear();
  return Status::ok();
}

}  // namespace xbase::cdx
