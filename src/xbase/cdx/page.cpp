#include "xbase/cdx/page.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/leaf_format.h"

namespace xbase::cdx {

int Page::compare(size_t i, uint64_t head, const char* key, uint32_t recno) const {
  if (heads[i] != head) return heads[i] < head ? -1 : 1;
  if (keyLength > 8) {
    const int c = std::memcmp(keyAt(i) + 8, key + 8, keyLength - 8u);
    if (c != 0) return c;
  }
  return recnos[i] < recno ? -1 : (recnos[i] > recno ? 1 : 0);
}

int Page::compare(size_t i, const char* key, uint32_t recno) const {
  return compare(i, keyHead(key, keyLength), key, recno);
}

size_t Page::lowerBound(const char* key, uint32_t recno) const {
  const uint64_t head = keyHead(key, keyLength);
  size_t lo = 0, hi = count();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (compare(mid, head, key, recno) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

void Page::insertEntry(size_t pos, const char* key, uint32_t recno) {
  foreignBytes.clear();
  keys.insert(pos * keyLength, key, keyLength);
  heads.insert(heads.begin() + static_cast<ptrdiff_t>(pos), keyHead(key, keyLength));
  recnos.insert(recnos.begin() + static_cast<ptrdiff_t>(pos), recno);
}

void Page::eraseEntry(size_t pos) {
  foreignBytes.clear();
  image.clear();
  keys.erase(pos * keyLength, keyLength);
  heads.erase(heads.begin() + static_cast<ptrdiff_t>(pos));
  recnos.erase(recnos.begin() + static_cast<ptrdiff_t>(pos));
}

void Page::setEntry(size_t pos, const char* key, uint32_t recno) {
  foreignBytes.clear();
  image.clear();
  std::memcpy(keys.data() + pos * keyLength, key, keyLength);
  heads[pos] = keyHead(key, keyLength);
  recnos[pos] = recno;
}

void Page::clearEntries() {
  foreignBytes.clear();
  image.clear();
  compression.clear();
  keys.clear();
  heads.clear();
  recnos.clear();
  children.clear();
}

void Page::reset() {
  clearEntries();
  offset = 0;
  attributes = 0;
  left = right = kNoPage;
  keyLength = 0;
  storedKeyBytes = maxRecno = 0;
  dirty = false;
  used = true;
}

void Page::indexKeys() {
  heads.resize(count());
  for (size_t i = 0; i < count(); ++i) heads[i] = keyHead(keyAt(i), keyLength);
}

size_t leafSize(const Page& leaf) {
  LeafLayout l = leafLayoutFor(leaf.keyLength, leaf.maxRecno);
  if (l.entryBytes == 0) return SIZE_MAX;
  return kLeafEntries + leaf.count() * l.entryBytes + leaf.storedKeyBytes;
}

namespace {

LeafLayout layoutOf(const Page& leaf) {
  return leafLayoutFor(leaf.keyLength, leaf.maxRecno);
}

// How entry i compresses against its predecessor, whose compression is current.
KeyCompression compressionAt(const Page& leaf, size_t i, char fill) {
  if (i == 0) return compressKey(nullptr, 0, leaf.keyAt(0), leaf.keyLength, fill);
  return compressKey(leaf.keyAt(i - 1), leaf.compression[i - 1].trail, leaf.keyAt(i),
                     leaf.keyLength, fill);
}

uint32_t storedAt(const Page& leaf, size_t i, const LeafLayout& layout) {
  return layout.storedBytes(leaf.compression[i], leaf.keyLength);
}

// Entry i has a new predecessor: compresses it again and corrects storedKeyBytes.
void recompress(Page& leaf, size_t i, char fill, const LeafLayout& layout) {
  leaf.storedKeyBytes -= storedAt(leaf, i, layout);
  leaf.compression[i] = compressionAt(leaf, i, fill);
  leaf.storedKeyBytes += storedAt(leaf, i, layout);
}

// Whether the count fields of the leaf's layout differ between these largest record numbers.
bool countsChange(const Page& leaf, uint32_t before, uint32_t after) {
  return leafLayoutFor(leaf.keyLength, before).countLimit !=
         leafLayoutFor(leaf.keyLength, after).countLimit;
}

uint32_t largestRecno(const Page& leaf) {
  return leaf.recnos.empty() ? 0 : *std::max_element(leaf.recnos.begin(), leaf.recnos.end());
}

void putEntry(Page& leaf, size_t i, const LeafLayout& l) {
  const uint32_t e = l.entry(leaf.recnos[i], leaf.compression[i]);
  uint8_t* at = reinterpret_cast<uint8_t*>(leaf.image.data()) + kLeafEntries + i * l.entryBytes;
  for (size_t k = 0; k < l.entryBytes; ++k) at[k] = static_cast<uint8_t>(e >> (8 * k));
}

// Entry pos was inserted; nextBefore is how the entry now at pos + 1 was compressed before.
// Moves the entries behind pos up and the key bytes behind pos + 1 down, then writes the two
// entries whose fields and key bytes changed. Drops the image when the layout changed or the
// leaf no longer fits its page.
void patchImage(Page& leaf, size_t pos, KeyCompression nextBefore, const LeafLayout& before) {
  const LeafLayout l = layoutOf(leaf);
  if (!before.sameWidths(l) || leafSize(leaf) > kPageSize) {
    leaf.image.clear();
    return;
  }
  const size_t n = leaf.count(), eb = l.entryBytes;
  const bool hasNext = pos + 1 < n;
  const size_t fresh = storedAt(leaf, pos, l);
  const size_t nextFresh = hasNext ? storedAt(leaf, pos + 1, l) : 0;
  // Key bytes of the entries before pos, counted from the nearer end.
  size_t above = 0;
  if (pos <= n / 2) {
    for (size_t j = 0; j < pos; ++j) above += storedAt(leaf, j, l);
  } else {
    size_t below = 0;
    for (size_t j = pos + 2; j < n; ++j) below += storedAt(leaf, j, l);
    above = leaf.storedKeyBytes - fresh - nextFresh - below;
  }
  const size_t top = kPageSize - above;
  const size_t nextOld = hasNext ? l.storedBytes(nextBefore, leaf.keyLength) : 0;
  const size_t oldLow = kPageSize - (leaf.storedKeyBytes - fresh - nextFresh + nextOld);
  const size_t newLow = kPageSize - leaf.storedKeyBytes;
  uint8_t* img = reinterpret_cast<uint8_t*>(leaf.image.data());
  // Key bytes of the entries behind pos + 1, from [oldLow, top - nextOld).
  const size_t restBytes = top - nextOld - oldLow;
  std::memmove(img + newLow, img + oldLow, restBytes);
  if (newLow > oldLow) std::memset(img + oldLow, 0, newLow - oldLow);
  const size_t freshAt = top - fresh;
  std::memcpy(img + freshAt, leaf.keyAt(pos) + l.sharedBytes(leaf.compression[pos]), fresh);
  if (hasNext)
    std::memcpy(img + freshAt - nextFresh,
                leaf.keyAt(pos + 1) + l.sharedBytes(leaf.compression[pos + 1]), nextFresh);
  std::memmove(img + kLeafEntries + (pos + 1) * eb, img + kLeafEntries + pos * eb,
               (n - 1 - pos) * eb);
  putEntry(leaf, pos, l);
  if (hasNext) putEntry(leaf, pos + 1, l);
}

}  // namespace

void measureLeaf(Page& leaf) {
  leaf.maxRecno = largestRecno(leaf);
  const LeafLayout layout = layoutOf(leaf);
  leaf.storedKeyBytes = 0;
  for (size_t i = 0; i < leaf.count(); ++i) leaf.storedKeyBytes += storedAt(leaf, i, layout);
}

void recountLeaf(Page& leaf, char fill) {
  leaf.image.clear();
  leaf.compression.resize(leaf.count());
  for (size_t i = 0; i < leaf.count(); ++i) leaf.compression[i] = compressionAt(leaf, i, fill);
  measureLeaf(leaf);
}

void insertLeafEntry(Page& leaf, size_t pos, const char* key, uint32_t recno, char fill) {
  const uint32_t before = leaf.maxRecno;
  const LeafLayout layoutBefore = layoutOf(leaf);
  const KeyCompression nextBefore =
      pos < leaf.count() ? leaf.compression[pos] : KeyCompression{};
  leaf.insertEntry(pos, key, recno);
  leaf.maxRecno = std::max(before, recno);
  const LeafLayout layout = layoutOf(leaf);
  leaf.compression.insert(leaf.compression.begin() + static_cast<ptrdiff_t>(pos),
                          compressionAt(leaf, pos, fill));
  leaf.storedKeyBytes += storedAt(leaf, pos, layout);
  if (pos + 1 < leaf.count()) recompress(leaf, pos + 1, fill, layout);
  if (countsChange(leaf, before, leaf.maxRecno)) measureLeaf(leaf);
  if (!leaf.image.empty()) patchImage(leaf, pos, nextBefore, layoutBefore);
}

void eraseLeafEntry(Page& leaf, size_t pos, char fill) {
  const LeafLayout layout = layoutOf(leaf);
  leaf.storedKeyBytes -= storedAt(leaf, pos, layout);
  const uint32_t recno = leaf.recnos[pos];
  leaf.eraseEntry(pos);
  leaf.compression.erase(leaf.compression.begin() + static_cast<ptrdiff_t>(pos));
  if (pos < leaf.count()) recompress(leaf, pos, fill, layout);
  if (recno != leaf.maxRecno) return;
  const uint32_t before = leaf.maxRecno;
  leaf.maxRecno = largestRecno(leaf);
  if (countsChange(leaf, before, leaf.maxRecno)) measureLeaf(leaf);
}

void setLeafRecno(Page& leaf, size_t pos, uint32_t recno) {
  leaf.foreignBytes.clear();
  leaf.image.clear();
  const uint32_t before = leaf.maxRecno;
  const uint32_t old = leaf.recnos[pos];
  leaf.recnos[pos] = recno;
  if (recno > leaf.maxRecno)
    leaf.maxRecno = recno;
  else if (old == leaf.maxRecno)
    leaf.maxRecno = largestRecno(leaf);
  if (countsChange(leaf, before, leaf.maxRecno)) measureLeaf(leaf);
}

void insertInteriorEntry(Page& page, size_t pos, const char* key, uint32_t recno, uint32_t child) {
  page.insertEntry(pos, key, recno);
  page.children.insert(page.children.begin() + static_cast<ptrdiff_t>(pos), child);
}

void eraseInteriorEntry(Page& page, size_t pos) {
  page.eraseEntry(pos);
  page.children.erase(page.children.begin() + static_cast<ptrdiff_t>(pos));
}

void setInteriorEntry(Page& page, size_t pos, const char* key, uint32_t recno) {
  page.setEntry(pos, key, recno);
}

size_t leafSplitPoint(const Page& leaf) {
  const size_t n = leaf.count();
  const LeafLayout l = layoutOf(leaf);
  const size_t entry = l.entryBytes ? l.entryBytes : 4;
  size_t best = n / 2, bestSize = SIZE_MAX, left = 0;
  for (size_t m = 1; m < n; ++m) {
    left += storedAt(leaf, m - 1, l);
    // The first key of the right half loses its shared prefix.
    const KeyCompression alone{0, leaf.compression[m].trail};
    const size_t leftSize = m * entry + left;
    const size_t rightSize = (n - m) * entry + leaf.storedKeyBytes - left - storedAt(leaf, m, l) +
                             l.storedBytes(alone, leaf.keyLength);
    const size_t larger = std::max(leftSize, rightSize);
    if (larger < bestSize) {
      bestSize = larger;
      best = m;
    }
  }
  return best;
}

void moveTail(Page& page, size_t from, Page& to, char fill) {
  page.foreignBytes.clear();
  page.image.clear();
  to.image.clear();
  to.keys.assign(page.keys, from * page.keyLength);
  page.keys.resize(from * page.keyLength);
  to.heads.assign(page.heads.begin() + static_cast<ptrdiff_t>(from), page.heads.end());
  page.heads.resize(from);
  to.recnos.assign(page.recnos.begin() + static_cast<ptrdiff_t>(from), page.recnos.end());
  page.recnos.resize(from);
  if (page.isLeaf()) {
    to.compression.assign(page.compression.begin() + static_cast<ptrdiff_t>(from),
                          page.compression.end());
    page.compression.resize(from);
    if (to.count()) to.compression[0] = compressionAt(to, 0, fill);
    measureLeaf(page);
    measureLeaf(to);
  } else {
    to.children.assign(page.children.begin() + static_cast<ptrdiff_t>(from), page.children.end());
    page.children.resize(from);
  }
}

}  // namespace xbase::cdx
