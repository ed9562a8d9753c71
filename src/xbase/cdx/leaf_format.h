#pragma once

#include <cstdint>

namespace xbase::cdx {

// Bit widths of the entries of one leaf: record number in the low bits, then the count of
// bytes shared with the previous key, then the count of trailing fill bytes.
struct KeyCompression;

struct LeafLayout {
  uint8_t recnoBits = 0;
  uint8_t dupBits = 0;
  uint8_t trailBits = 0;
  uint8_t entryBytes = 0;
  // The largest duplicate or trailing count the fields hold. Below what the key length
  // needs only in leaves of record numbers too large for full-width counts: such a key
  // keeps more of its bytes.
  uint16_t countLimit = 0xFFFF;

  // Key bytes a compressed key stores in a leaf of this layout.
  inline uint16_t storedBytes(const KeyCompression& c, uint16_t keyLength) const;
  // Leading bytes it takes from the previous key.
  inline uint16_t sharedBytes(const KeyCompression& c) const;
  // Its entry: the record number in the low bits, then the duplicate and trailing counts.
  inline uint32_t entry(uint32_t recno, const KeyCompression& c) const;
  // Whether both lay out entries alike (the count limit follows from the widths).
  bool sameWidths(const LeafLayout& o) const {
    return recnoBits == o.recnoBits && dupBits == o.dupBits && trailBits == o.trailBits &&
           entryBytes == o.entryBytes;
  }
};

// The widths this engine writes: dup and trail fields as wide as the key length needs, and
// the fewest entry bytes (at least 3) whose record field holds maxRecno. When even 4-byte
// entries cannot hold maxRecno that way, the dup and trail fields are narrowed until they
// can (long keys in large tables). entryBytes is 0 when maxRecno does not fit at all.
LeafLayout leafLayoutFor(uint16_t keyLength, uint32_t maxRecno);

// The largest record number a leaf of this key length can hold (4-byte entries, narrowest
// count fields).
uint32_t maxRecnoFor(uint16_t keyLength);

// How a key is compressed against the key before it in the same leaf.
struct KeyCompression {
  uint16_t dup = 0;    // leading bytes taken from the previous key
  uint16_t trail = 0;  // trailing fill bytes left out
};

uint16_t LeafLayout::sharedBytes(const KeyCompression& c) const {
  return c.dup < countLimit ? c.dup : countLimit;
}

uint16_t LeafLayout::storedBytes(const KeyCompression& c, uint16_t keyLength) const {
  const uint16_t trail = c.trail < countLimit ? c.trail : countLimit;
  return static_cast<uint16_t>(keyLength - sharedBytes(c) - trail);
}

uint32_t LeafLayout::entry(uint32_t recno, const KeyCompression& c) const {
  const uint32_t trail = c.trail < countLimit ? c.trail : countLimit;
  return recno | uint32_t{sharedBytes(c)} << recnoBits | trail << (recnoBits + dupBits);
}

// Trailing fill bytes of a key.
uint16_t trailCount(const char* key, uint16_t keyLength, char fill);

// Leading bytes two keys share, at most limit.
uint16_t commonPrefix(const char* a, const char* b, uint16_t limit);

// prev is nullptr for the first key of a leaf. The shared prefix stops where prev's trailing
// fill begins: readers that rebuild trailing bytes with another fill byte would otherwise put
// that byte into the middle of this key.
KeyCompression compressKey(const char* prev, const char* key, uint16_t keyLength, char fill);
// The same with prev's trailing fill count already known.
KeyCompression compressKey(const char* prev, uint16_t prevTrail, const char* key,
                           uint16_t keyLength, char fill);

}  // namespace xbase::cdx
