#include "xbase/cdx/leaf_format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace xbase::cdx {

namespace {
// Smallest entry size written; readers accept any size, and 3 keeps pages of small and large
// tables alike.
constexpr uint8_t kMinEntryBytes = 3;
constexpr uint8_t kMaxEntryBytes = 4;
// Narrowest duplicate and trailing count fields written (counts up to 3).
constexpr int kMinCountBits = 2;

// Bits needed to write v (0 for 0).
uint8_t bitLength(uint32_t v) {
  return static_cast<uint8_t>(std::bit_width(v));
}

}  // namespace

LeafLayout leafLayoutFor(uint16_t keyLength, uint32_t maxRecno) {
  LeafLayout l;
  l.dupBits = l.trailBits = bitLength(keyLength);
  for (uint8_t s = kMinEntryBytes; s <= kMaxEntryBytes; ++s) {
    int recnoBits = 8 * s - 2 * l.dupBits;
    if (recnoBits >= bitLength(maxRecno)) {
      l.recnoBits = static_cast<uint8_t>(recnoBits);
      l.entryBytes = s;
      return l;
    }
  }
  // Narrower count fields in 4-byte entries; readers take the widths from every page.
  const int countBits = (8 * kMaxEntryBytes - bitLength(maxRecno)) / 2;
  if (countBits < kMinCountBits) return l;
  l.dupBits = l.trailBits = static_cast<uint8_t>(countBits);
  l.recnoBits = static_cast<uint8_t>(8 * kMaxEntryBytes - 2 * countBits);
  l.entryBytes = kMaxEntryBytes;
  l.countLimit = static_cast<uint16_t>((1u << countBits) - 1);
  return l;
}

uint32_t maxRecnoFor(uint16_t keyLength) {
  const int fullWidth = 8 * kMaxEntryBytes - 2 * bitLength(keyLength);
  const int recnoBits = std::max(fullWidth, 8 * kMaxEntryBytes - 2 * kMinCountBits);
  return recnoBits >= 32 ? 0xFFFFFFFFu : (uint32_t{1} << recnoBits) - 1;
}

uint16_t trailCount(const char* key, uint16_t keyLength, char fill) {
  uint16_t n = 0;
  // Eight bytes at a time from the end while they are all fill.
  uint64_t fills;
  std::memset(&fills, fill, sizeof fills);
  while (n + 8 <= keyLength) {
    uint64_t word;
    std::memcpy(&word, key + keyLength - n - 8, sizeof word);
    if (word != fills) break;
    n += 8;
  }
  while (n < keyLength && key[keyLength - 1 - n] == fill) ++n;
  return n;
}

uint16_t commonPrefix(const char* a, const char* b, uint16_t limit) {
  uint16_t n = 0;
  while (n + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + n, sizeof x);
    std::memcpy(&y, b + n, sizeof y);
    if (x != y) break;
    n += 8;
  }
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

KeyCompression compressKey(const char* prev, uint16_t prevTrail, const char* key,
                           uint16_t keyLength, char fill) {
  KeyCompression c;
  c.trail = trailCount(key, keyLength, fill);
  if (prev)
    c.dup =
        commonPrefix(prev, key, static_cast<uint16_t>(keyLength - std::max(c.trail, prevTrail)));
  return c;
}

KeyCompression compressKey(const char* prev, const char* key, uint16_t keyLength, char fill) {
  return compressKey(prev, prev ? trailCount(prev, keyLength, fill) : 0, key, keyLength, fill);
}

}  // namespace xbase::cdx
