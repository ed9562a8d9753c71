#include "xbase/cdx/tree_builder.h"

#include "xbase/cdx/page.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/cdx/page_writer.h"

namespace xbase::cdx {

namespace {

// The pages of one level, in order, as entries of the level above: last key and record
// number of each page, and the page.
struct LevelEntries {
  std::string keys;
  std::vector<uint32_t> recnos;
  std::vector<uint32_t> pages;
};

class Builder {
 public:
  Builder(PageStore& store, uint16_t keyLength, char fill)
      : m_store(store), m_writer(store.file()), m_keyLength(keyLength), m_fill(fill) {}

  Status leaves(const KeyList& entries, const std::vector<uint32_t>& order, LevelEntries* out) {
    Page leaf = fresh(kAttrLeaf, m_store.allocate(), kNoPage);
    for (uint32_t index : order) {
      const char* key = entries.key(index).data();
      insertLeafEntry(leaf, leaf.count(), key, entries.recno(index), m_fill);
      if (leafSize(leaf) <= kPageSize) continue;
      eraseLeafEntry(leaf, leaf.count() - 1, m_fill);
      leaf.right = m_store.allocate();
      XBASE_RETURN_IF_ERROR(emit(leaf, out));
      restart(leaf);
      insertLeafEntry(leaf, 0, key, entries.recno(index), m_fill);
    }
    if (out->pages.empty()) leaf.attributes |= kAttrRoot;
    return emit(leaf, out);
  }

  Status interior(const LevelEntries& below, LevelEntries* out) {
    const size_t capacity = interiorCapacity(m_keyLength);
    const size_t pages = (below.pages.size() + capacity - 1) / capacity;
    uint32_t offset = m_store.allocate(), left = kNoPage;
    for (size_t p = 0; p < pages; ++p) {
      Page page = fresh(pages == 1 ? kAttrRoot : 0, offset, left);
      page.right = p + 1 < pages ? m_store.allocate() : kNoPage;
      for (size_t i = p * capacity; i < below.pages.size() && i < (p + 1) * capacity; ++i)
        insertInteriorEntry(page, page.count(), below.keys.data() + i * m_keyLength,
                            below.recnos[i], below.pages[i]);
      XBASE_RETURN_IF_ERROR(emit(page, out));
      left = offset;
      offset = page.right;
    }
    return Status::ok();
  }

  Status finish() { return m_writer.finish(); }

 private:
  Page fresh(uint16_t attributes, uint32_t offset, uint32_t left) const {
    Page page;
    page.attributes = attributes;
    page.offset = offset;
    page.left = left;
    page.keyLength = m_keyLength;
    return page;
  }

  // Empties a full leaf for use as its right sibling, keeping its buffers.
  static void restart(Page& leaf) {
    leaf.left = leaf.offset;
    leaf.offset = leaf.right;
    leaf.right = kNoPage;
    leaf.clearEntries();
    leaf.storedKeyBytes = leaf.maxRecno = 0;
  }

  Status emit(const Page& page, LevelEntries* out) {
    uint8_t* buf = nullptr;
    XBASE_RETURN_IF_ERROR(m_writer.page(page.offset, &buf));
    XBASE_RETURN_IF_ERROR(encodePage(page, m_store.path(), buf));
    out->pages.push_back(page.offset);
    if (page.count() == 0) return Status::ok();  // only ever an empty root
    out->keys.append(page.key(page.count() - 1));
    out->recnos.push_back(page.recnos.back());
    return Status::ok();
  }

  PageStore& m_store;
  PageWriter m_writer;
  uint16_t m_keyLength;
  char m_fill;
};

}  // namespace

Status buildTree(PageStore& store, const KeyList& entries, const std::vector<uint32_t>& order,
                 char fill, uint32_t* root) {
  Builder builder(store, entries.keyLength(), fill);
  LevelEntries level;
  XBASE_RETURN_IF_ERROR(builder.leaves(entries, order, &level));
  while (level.pages.size() > 1) {
    LevelEntries above;
    XBASE_RETURN_IF_ERROR(builder.interior(level, &above));
    level = std::move(above);
  }
  *root = level.pages.front();
  return builder.finish();
}

}  // namespace xbase::cdx
