#include <cstring>
#include <unordered_set>

#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/cdx/tag.h"

namespace xbase::cdx {

namespace {

// The pages of one tree level in order, with the entry that the level above holds for each.
struct Level {
  std::vector<uint32_t> pages;
  std::string keys;
  std::vector<uint32_t> recnos;
};

std::string pageAt(uint32_t offset) {
  return "page at offset " + std::to_string(offset);
}

}  // namespace

Status Tag::checkEncoding(const Page& page) const {
  const std::string where = pageAt(page.offset);
  uint8_t bytes[kPageSize];
  XBASE_RETURN_IF_ERROR(encodePage(page, m_store.path(), bytes));
  // A page kept as another program packed it is not measured by our encoding.
  if (page.isLeaf() && page.foreignBytes.empty() &&
      kPageSize - getLe16(bytes + kLeafFree) != leafSize(page))
    return fail(where + ": tracked leaf size differs from its encoding");
  // A leaf written from its kept image must be exactly what encoding it afresh gives.
  if (page.isLeaf() && page.foreignBytes.empty() && !page.image.empty()) {
    Page plain = page;
    plain.image.clear();
    uint8_t fresh[kPageSize];
    XBASE_RETURN_IF_ERROR(encodePage(plain, m_store.path(), fresh));
    if (std::memcmp(fresh, bytes, kPageSize) != 0)
      return fail(where + ": kept image differs from the encoded leaf");
  }
  Page decoded;
  XBASE_RETURN_IF_ERROR(
      decodePage(bytes, page.offset, m_info.keyLength, m_fill, m_store.path(), &decoded));
  if (decoded.keys != page.keys || decoded.heads != page.heads || decoded.recnos != page.recnos ||
      decoded.children != page.children)
    return fail(where + ": encoding does not round-trip");
  return Status::ok();
}

Status Tag::check(uint64_t* keyCount) {
  *keyCount = 0;
  XBASE_RETURN_IF_ERROR(applyPending());
  const uint16_t kl = m_info.keyLength;
  std::unordered_set<uint32_t> seen;
  Level level;
  level.pages.push_back(m_root);
  for (bool root = true;; root = false) {
    Level below;
    std::string prevKey;
    uint32_t prevRecno = 0;
    bool leaves = false;
    for (size_t i = 0; i < level.pages.size(); ++i) {
      const uint32_t offset = level.pages[i];
      if (!seen.insert(offset).second) return fail(pageAt(offset) + " is reached twice");
      Page* page = nullptr;
      XBASE_RETURN_IF_ERROR(loadPage(offset, &page));
      const std::string where = pageAt(offset);
      if (i == 0) leaves = page->isLeaf();
      if (page->isLeaf() != leaves) return fail(where + ": leaves at different depths");
      if (page->isRoot() != root) return fail(where + ": root attribute wrong");
      const uint32_t left = i ? level.pages[i - 1] : kNoPage;
      const uint32_t right = i + 1 < level.pages.size() ? level.pages[i + 1] : kNoPage;
      if (page->left != left || page->right != right)
        return fail(where + ": sibling links " + std::to_string(page->left) + "/" +
                    std::to_string(page->right) + " instead of " + std::to_string(left) + "/" +
                    std::to_string(right));
      // Only a root leaf may be empty (an empty tag).
      if (page->count() == 0 && !(root && leaves)) return fail(where + ": no entries");
      for (size_t e = 0; e < page->count(); ++e) {
        if (!prevKey.empty()) {
          const int order = page->compare(e, prevKey.data(), prevRecno);
          if (order <= 0) return fail(where + ": entry " + std::to_string(e) + " out of order");
          if (leaves && m_info.unique() && page->key(e) == std::string_view(prevKey))
            return fail(where + ": key repeated in a unique tag");
        }
        prevKey.assign(page->keyAt(e), kl);
        prevRecno = page->recnos[e];
      }
      if (!root &&
          page->compare(page->count() - 1, level.keys.data() + i * kl, level.recnos[i]) != 0)
        return fail(where + ": last entry differs from the entry of the level above");

      // A page read from the file was checked by its decoding; a changed one must encode
      // within 512 bytes and decode to the same entries.
      if (page->dirty) XBASE_RETURN_IF_ERROR(checkEncoding(*page));

      if (leaves) {
        *keyCount += page->count();
        continue;
      }
      below.pages.insert(below.pages.end(), page->children.begin(), page->children.end());
      below.keys += page->keys;
      below.recnos.insert(below.recnos.end(), page->recnos.begin(), page->recnos.end());
    }
    if (leaves) return Status::ok();
    level = std::move(below);
  }
}

}  // namespace xbase::cdx
