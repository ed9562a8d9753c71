#include "xbase/cdx/page_codec.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/byte_order.h"

namespace xbase::cdx {

namespace {

Status pageError(const std::string& path, uint32_t offset, const std::string& what) {
  return Status::corruption(path + ": page at offset " + std::to_string(offset) + ": " + what);
}

uint32_t bitMask(uint8_t bits) {
  return bits >= 32 ? 0xFFFFFFFFu : (uint32_t{1} << bits) - 1;
}

Status decodeLeaf(const uint8_t* b, uint16_t keyLength, char fill, const std::string& path,
                  Page* out) {
  const uint32_t offset = out->offset;
  LeafLayout l{b[kLeafRecnoBits], b[kLeafDupBits], b[kLeafTrailBits], b[kLeafEntryBytes]};
  if (l.entryBytes < 1 || l.entryBytes > 4)
    return pageError(path, offset, "leaf entry size " + std::to_string(l.entryBytes));
  if (l.recnoBits + l.dupBits + l.trailBits != 8 * l.entryBytes || l.dupBits > 8 || l.trailBits > 8)
    return pageError(path, offset, "leaf bit widths do not add up to the entry size");
  if (getLe32(b + kLeafRecnoMask) != bitMask(l.recnoBits) ||
      b[kLeafDupMask] != bitMask(l.dupBits) || b[kLeafTrailMask] != bitMask(l.trailBits))
    return pageError(path, offset, "leaf masks do not match their bit widths");
  const size_t n = getLe16(b + kNodeCount);
  const size_t entriesEnd = kLeafEntries + n * l.entryBytes;
  if (entriesEnd > kPageSize) return pageError(path, offset, std::to_string(n) + " leaf entries");

  out->keys.resize(n * keyLength);
  out->recnos.resize(n);
  out->compression.resize(n);
  // The page's own compression is kept when every shared prefix stops before the previous
  // key's trailing fill, as this engine writes it; a tighter packing is measured anew.
  bool ownRule = true;
  size_t pos = kPageSize;
  uint32_t maxRecno = 0;
  const uint32_t entryMask = bitMask(8 * l.entryBytes);
  const uint32_t recnoMask = bitMask(l.recnoBits);
  const uint32_t dupMask = bitMask(l.dupBits);
  const uint32_t trailMask = bitMask(l.trailBits);
  // Plain pointers: the key bytes written below could alias the page's fields as far as the
  // compiler knows, which would reload them for every entry.
  char* keys = out->keys.data();
  uint32_t* recnos = out->recnos.data();
  KeyCompression* compression = out->compression.data();
  const char* bytes = reinterpret_cast<const char*>(b);
  uint32_t prevTrail = 0;
  for (size_t i = 0; i < n; ++i) {
    // One 4-byte load per entry; only an entry in the page's last bytes is read bytewise.
    const size_t at = kLeafEntries + i * l.entryBytes;
    uint32_t e = 0;
    if (at + 4 <= kPageSize) {
      e = getLe32(b + at) & entryMask;
    } else {
      for (size_t k = 0; k < l.entryBytes; ++k) e |= uint32_t{b[at + k]} << (8 * k);
    }
    const uint32_t dup = i == 0 ? 0 : (e >> l.recnoBits) & dupMask;
    const uint32_t trail = (e >> (l.recnoBits + l.dupBits)) & trailMask;
    if (dup + trail > keyLength)
      return pageError(path, offset,
                       "leaf entry " + std::to_string(i) + ": duplicate and " +
                           "trailing counts exceed the key length");
    const size_t fresh = keyLength - dup - trail;
    if (pos < entriesEnd + fresh)
      return pageError(path, offset, "leaf key bytes overlap the entries");
    pos -= fresh;
    char* key = keys + i * keyLength;
    copyShort(key, key - keyLength, dup);
    copyShort(key + dup, bytes + pos, fresh);
    fillShort(key + dup + fresh, fill, trail);
    const uint32_t recno = e & recnoMask;
    recnos[i] = recno;
    maxRecno = std::max(maxRecno, recno);
    if (dup + prevTrail > keyLength) ownRule = false;
    prevTrail = trail;
    compression[i] = {static_cast<uint16_t>(dup), static_cast<uint16_t>(trail)};
  }
  out->indexKeys();
  if (getLe16(b + kLeafFree) != pos - entriesEnd)
    return pageError(path, offset,
                     "leaf free space " + std::to_string(getLe16(b + kLeafFree)) +
                         " does not match its content (" + std::to_string(pos - entriesEnd) + ")");
  if (!ownRule) {
    recountLeaf(*out, fill);
    return Status::ok();
  }
  // Written as this engine writes it: the page is its own image, its free space zeroed, and
  // every key stores exactly the bytes the page holds for it.
  const LeafLayout own = leafLayoutFor(keyLength, maxRecno);
  if (!own.sameWidths(l)) {
    measureLeaf(*out);
    return Status::ok();
  }
  out->maxRecno = maxRecno;
  out->storedKeyBytes = static_cast<uint32_t>(kPageSize - pos);
  out->image.assign(reinterpret_cast<const char*>(b), kPageSize);
  std::memset(out->image.data() + entriesEnd, 0, pos - entriesEnd);
  return Status::ok();
}

Status decodeInterior(const uint8_t* b, uint16_t keyLength, const std::string& path, Page* out) {
  const size_t n = getLe16(b + kNodeCount);
  if (n > interiorCapacity(keyLength))
    return pageError(path, out->offset, std::to_string(n) + " interior entries");
  out->keys.resize(n * keyLength);
  out->recnos.resize(n);
  out->children.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* e = b + kInteriorEntries + i * (keyLength + 8u);
    std::memcpy(out->keys.data() + i * keyLength, e, keyLength);
    out->recnos[i] = getBe32(e + keyLength);
    out->children[i] = getBe32(e + keyLength + 4);
  }
  out->indexKeys();
  return Status::ok();
}

// Attributes, entry count and siblings of the page.
void writeNodeHeader(const Page& page, uint8_t* out) {
  putLe16(out + kNodeAttributes, page.attributes & (kAttrRoot | kAttrLeaf));
  putLe16(out + kNodeCount, static_cast<uint16_t>(page.count()));
  putLe32(out + kNodeLeft, page.left);
  putLe32(out + kNodeRight, page.right);
}

// A zeroed page with its node header.
void encodeNodeHeader(const Page& page, uint8_t* out) {
  std::memset(out, 0, kPageSize);
  writeNodeHeader(page, out);
}

}  // namespace

Status decodePage(const uint8_t* bytes, uint32_t offset, uint16_t keyLength, char fill,
                  const std::string& path, Page* out) {
  out->offset = offset;
  out->keyLength = keyLength;
  out->attributes = getLe16(bytes + kNodeAttributes) & (kAttrRoot | kAttrLeaf);
  out->left = getLe32(bytes + kNodeLeft);
  out->right = getLe32(bytes + kNodeRight);
  out->clearEntries();
  out->dirty = false;
  if (!out->isLeaf()) return decodeInterior(bytes, keyLength, path, out);
  XBASE_RETURN_IF_ERROR(decodeLeaf(bytes, keyLength, fill, path, out));
  if (leafSize(*out) > kPageSize) {
    out->foreignBytes.assign(reinterpret_cast<const char*>(bytes), kPageSize);
    out->image.clear();
  }
  return Status::ok();
}

bool encodeLeaf(const Page& leaf, const LeafLayout& l, uint8_t* out) {
  encodeNodeHeader(leaf, out);
  const uint16_t kl = leaf.keyLength;
  const size_t n = leaf.count();
  const size_t entriesEnd = kLeafEntries + n * l.entryBytes;
  if (entriesEnd > kPageSize || leaf.maxRecno > bitMask(l.recnoBits)) return false;
  uint8_t* entry = out + kLeafEntries;
  size_t pos = kPageSize;
  for (size_t i = 0; i < n; ++i, entry += l.entryBytes) {
    const KeyCompression c = leaf.compression[i];
    const size_t fresh = l.storedBytes(c, kl);
    if (pos < entriesEnd + fresh) return false;
    const uint32_t e = l.entry(leaf.recnos[i], c);
    if (i + 1 < n && l.entryBytes >= 2) {
      // Four bytes at once; what runs past a shorter entry is the next entry's, written next.
      putLe32(entry, e);
    } else {
      for (size_t k = 0; k < l.entryBytes; ++k) entry[k] = static_cast<uint8_t>(e >> (8 * k));
    }
    pos -= fresh;
    std::memcpy(out + pos, leaf.keyAt(i) + l.sharedBytes(c), fresh);
  }
  putLe16(out + kLeafFree, static_cast<uint16_t>(pos - entriesEnd));
  putLe32(out + kLeafRecnoMask, bitMask(l.recnoBits));
  out[kLeafDupMask] = static_cast<uint8_t>(bitMask(l.dupBits));
  out[kLeafTrailMask] = static_cast<uint8_t>(bitMask(l.trailBits));
  out[kLeafRecnoBits] = l.recnoBits;
  out[kLeafDupBits] = l.dupBits;
  out[kLeafTrailBits] = l.trailBits;
  out[kLeafEntryBytes] = l.entryBytes;
  return true;
}

Status encodePage(const Page& page, const std::string& path, uint8_t* out) {
  if (page.isLeaf() && !page.foreignBytes.empty()) {
    // Entries unchanged: the page as read, with this page's header (root bit, siblings).
    const std::string entries = page.foreignBytes.substr(kNodeHeaderSize);
    encodeNodeHeader(page, out);
    std::memcpy(out + kNodeHeaderSize, entries.data(), entries.size());
    return Status::ok();
  }
  if (page.isLeaf() && !page.image.empty()) {
    // The image with this page's node header and free space.
    std::memcpy(out, page.image.data(), kPageSize);
    writeNodeHeader(page, out);
    putLe16(out + kLeafFree, static_cast<uint16_t>(kPageSize - leafSize(page)));
    return Status::ok();
  }
  if (page.isLeaf()) {
    if (!encodeLeaf(page, leafLayoutFor(page.keyLength, page.maxRecno), out))
      return Status::invalidArgument(path + ": leaf at offset " + std::to_string(page.offset) +
                                     " does not fit its page");
    page.image.assign(reinterpret_cast<const char*>(out), kPageSize);
    return Status::ok();
  }
  if (page.count() > interiorCapacity(page.keyLength))
    return Status::invalidArgument(path + ": interior page at offset " +
                                   std::to_string(page.offset) + " does not fit its page");
  encodeNodeHeader(page, out);
  for (size_t i = 0; i < page.count(); ++i) {
    uint8_t* e = out + kInteriorEntries + i * (page.keyLength + 8u);
    std::memcpy(e, page.keyAt(i), page.keyLength);
    putBe32(e + page.keyLength, page.recnos[i]);
    putBe32(e + page.keyLength + 4, page.children[i]);
  }
  return Status::ok();
}

}  // namespace xbase::cdx
