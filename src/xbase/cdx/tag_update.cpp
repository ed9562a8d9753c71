#include <cstring>

#include "xbase/cdx/leaf_format.h"
#include "xbase/cdx/tag.h"

namespace xbase::cdx {

Status Tag::checkWritable(std::string_view key, uint32_t recno) const {
  if (m_retired) return retiredError();
  if (!m_info.foreignCollation && key.size() == m_info.keyLength &&
      recno <= maxRecnoFor(m_info.keyLength))
    return Status::ok();
  const std::string where = m_store.path() + ": tag " + m_info.name;
  if (m_info.foreignCollation)
    return Status::notSupported(where +
                                ": keys in a collation other than byte order cannot be "
                                "updated; rebuild the index");
  if (key.size() != m_info.keyLength)
    return Status::invalidArgument(where + ": key of " + std::to_string(key.size()) +
                                   " bytes for a key length of " +
                                   std::to_string(m_info.keyLength));
  if (recno > maxRecnoFor(m_info.keyLength))
    return Status::notSupported(where + ": record number " + std::to_string(recno) +
                                " is too large for a key length of " +
                                std::to_string(m_info.keyLength));
  return Status::ok();
}

void Tag::markDirty(Page* page) {
  if (page->dirty) return;
  page->dirty = true;
  m_dirty.push_back(page->offset);
}

Page* Tag::newPage(uint16_t attributes) {
  std::unique_ptr<Page> page = blankPage(attributes & kAttrLeaf);
  page->offset = m_store.allocate();
  page->attributes = attributes;
  page->keyLength = m_info.keyLength;
  Page* raw = keep(std::move(page));
  markDirty(raw);
  return raw;
}

void Tag::dropPage(Page* page) {
  const uint32_t offset = page->offset;
  m_store.release(offset);
  m_pages[offset / kPageSize].reset();
}

namespace {
// Collected inserts merged at once at the latest; bounds the memory they take.
constexpr size_t kMaxPending = 1 << 16;
}  // namespace

Status Tag::insert(std::string_view key, uint32_t recno) {
  XBASE_RETURN_IF_ERROR(checkWritable(key, recno));
  m_pending.add(key, recno);
  return m_pending.size() < kMaxPending ? Status::ok() : applyPending();
}

Status Tag::applyPending() {
  if (m_pending.size() == 0) return Status::ok();
  if (m_pending.size() == 1) {
    // A single record's key, as in shared mode: no sorting, and the list keeps its buffers.
    Status st = insertNow(m_pending.key(0), m_pending.recno(0));
    if (st.isOk()) m_pending.clear();
    return st;
  }
  const std::vector<uint32_t> order = m_pending.sortedOrder(false);
  KeyList pending(m_info.keyLength);
  std::swap(pending, m_pending);
  for (size_t i = 0; i < order.size(); ++i) {
    Status st = insertNow(pending.key(order[i]), pending.recno(order[i]));
    if (st.isOk()) continue;
    // Keep what is not merged yet: the next operation reports the failure again.
    for (size_t rest = i; rest < order.size(); ++rest)
      m_pending.add(pending.key(order[rest]), pending.recno(order[rest]));
    return st;
  }
  return Status::ok();
}

Status Tag::insertNow(std::string_view key, uint32_t recno) {
  const bool unique = m_info.unique();
  XBASE_RETURN_IF_ERROR(descend(key.data(), unique ? 0 : recno));
  const size_t level = m_path.size() - 1;
  Page* leaf = m_path[level].page;
  const size_t pos = m_path[level].slot;
  const size_t count = leaf->count();
  if (pos < count) {
    if (unique && std::memcmp(leaf->keyAt(pos), key.data(), key.size()) == 0) {
      if (leaf->recnos[pos] <= recno) return Status::ok();
      setLeafRecno(*leaf, pos, recno);
      markDirty(leaf);
      ++m_stamp;
      if (pos + 1 == count) updateParents(level);
      return Status::ok();
    }
    if (!unique && leaf->compare(pos, key.data(), recno) == 0) return Status::ok();
  }
  insertLeafEntry(*leaf, pos, key.data(), recno, m_fill);
  markDirty(leaf);
  ++m_stamp;
  if (pos == count) updateParents(level);
  if (leafSize(*leaf) <= kPageSize) return Status::ok();
  return splitPage(level, pos == count && leaf->right == kNoPage);
}

Status Tag::remove(std::string_view key, uint32_t recno) {
  XBASE_RETURN_IF_ERROR(checkWritable(key, 0));
  XBASE_RETURN_IF_ERROR(applyPending());
  XBASE_RETURN_IF_ERROR(descend(key.data(), recno));
  const size_t level = m_path.size() - 1;
  Page* leaf = m_path[level].page;
  const size_t pos = m_path[level].slot;
  if (pos == leaf->count() || leaf->compare(pos, key.data(), recno) != 0)
    return Status::notFound(m_store.path() + ": tag " + m_info.name + ": no entry for record " +
                            std::to_string(recno) + " with this key");
  eraseLeafEntry(*leaf, pos, m_fill);
  markDirty(leaf);
  ++m_stamp;
  XBASE_RETURN_IF_ERROR(entryRemoved(level, pos));
  return shrinkRoot();
}

void Tag::updateParents(size_t level) {
  for (; level > 0; --level) {
    const Page* child = m_path[level].page;
    Page* parent = m_path[level - 1].page;
    const size_t slot = m_path[level - 1].slot;
    const size_t last = child->count() - 1;
    if (parent->compare(slot, child->keyAt(last), child->recnos[last]) == 0) return;
    setInteriorEntry(*parent, slot, child->keyAt(last), child->recnos[last]);
    markDirty(parent);
    if (slot + 1 != parent->count()) return;
  }
}

Status Tag::splitPage(size_t level, bool atEnd) {
  Page* page = m_path[level].page;
  Page* right = nullptr;
  if (page->right != kNoPage) XBASE_RETURN_IF_ERROR(loadSibling(*page, page->right, &right));
  const size_t split = atEnd ? page->count() - 1
                             : (page->isLeaf() ? leafSplitPoint(*page) : page->count() / 2);
  Page* fresh = newPage(page->attributes & kAttrLeaf);
  moveTail(*page, split, *fresh, m_fill);
  fresh->left = page->offset;
  fresh->right = page->right;
  page->right = fresh->offset;
  if (right) {
    right->left = fresh->offset;
    markDirty(right);
  }
  markDirty(page);
  ++m_stamp;

  const size_t pageLast = page->count() - 1, freshLast = fresh->count() - 1;
  if (level == 0) {
    Page* root = newPage(kAttrRoot);
    page->attributes &= static_cast<uint16_t>(~kAttrRoot);
    insertInteriorEntry(*root, 0, page->keyAt(pageLast), page->recnos[pageLast], page->offset);
    insertInteriorEntry(*root, 1, fresh->keyAt(freshLast), fresh->recnos[freshLast], fresh->offset);
    m_root = root->offset;
    m_rootDirty = true;
    return Status::ok();
  }
  Page* parent = m_path[level - 1].page;
  const size_t slot = m_path[level - 1].slot;
  setInteriorEntry(*parent, slot, page->keyAt(pageLast), page->recnos[pageLast]);
  insertInteriorEntry(*parent, slot + 1, fresh->keyAt(freshLast), fresh->recnos[freshLast],
                      fresh->offset);
  markDirty(parent);
  if (parent->count() <= interiorCapacity(m_info.keyLength)) return Status::ok();
  return splitPage(level - 1, slot + 2 == parent->count() && parent->right == kNoPage);
}

Status Tag::entryRemoved(size_t level, size_t pos) {
  Page* page = m_path[level].page;
  if (page->count() == 0) {
    if (level == 0) {
      // The last entry of the tree went: the root becomes an empty leaf.
      page->attributes = kAttrRoot | kAttrLeaf;
      page->children.clear();
      recountLeaf(*page, m_fill);
      markDirty(page);
      return Status::ok();
    }
    XBASE_RETURN_IF_ERROR(unlinkAndFree(page));
    Page* parent = m_path[level - 1].page;
    const size_t slot = m_path[level - 1].slot;
    eraseInteriorEntry(*parent, slot);
    markDirty(parent);
    return entryRemoved(level - 1, slot);
  }
  if (pos == page->count()) updateParents(level);
  // A page written by another program can need more room in our encoding.
  if (page->isLeaf() && leafSize(*page) > kPageSize) return splitPage(level, false);
  return Status::ok();
}

Status Tag::unlinkAndFree(Page* page) {
  Page* left = nullptr;
  Page* right = nullptr;
  if (page->left != kNoPage) XBASE_RETURN_IF_ERROR(loadSibling(*page, page->left, &left));
  if (page->right != kNoPage) XBASE_RETURN_IF_ERROR(loadSibling(*page, page->right, &right));
  if (left) {
    left->right = page->right;
    markDirty(left);
  }
  if (right) {
    right->left = page->left;
    markDirty(right);
  }
  dropPage(page);
  return Status::ok();
}

Status Tag::shrinkRoot() {
  for (uint64_t depth = 0; depth <= m_store.pageCount(); ++depth) {
    Page* root = nullptr;
    XBASE_RETURN_IF_ERROR(loadPage(m_root, &root));
    if (root->isLeaf() || root->count() != 1) return Status::ok();
    Page* child = nullptr;
    XBASE_RETURN_IF_ERROR(loadPage(root->children.front(), &child));
    child->attributes |= kAttrRoot;
    markDirty(child);
    dropPage(root);
    m_root = child->offset;
    m_rootDirty = true;
  }
  return fail("child pointers form a loop below the root");
}

}  // namespace xbase::cdx
