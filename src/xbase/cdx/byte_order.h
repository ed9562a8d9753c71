#pragma once

#include <cstddef>
#include <bit>
#include <cstdint>
#include <cstring>

namespace xbase::cdx {

// Little- and big-endian integers inside index pages. Index headers and leaves are
// little-endian; interior entries and the change counter are big-endian.
inline uint16_t getLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t getLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline uint32_t getBe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

// The first 8 bytes of a key as one big-endian integer, zero-padded when the key is shorter:
// keys compare as unsigned bytes, and these integers compare the same way.
inline uint64_t keyHead(const char* key, size_t keyLength) {
  uint64_t v = 0;
  std::memcpy(&v, key, keyLength < 8 ? keyLength : 8);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  return v;
}

// Writes the n bytes of a key part as word moves: 8-byte words (the last overlapping the one
// before), two overlapping 4-byte words, or single bytes; bytesAt(i, w) gives the w bytes
// that belong at offset i in the low bytes of a word. Key parts are short, and the string
// instruction the compiler emits for a copy of unknown length costs more to start than such
// a copy takes (measured: the largest cost of decoding a leaf).
template <class Source>
inline void writeShort(char* dst, size_t n, Source bytesAt) {
  auto put = [&](size_t i, size_t w) {
    const uint64_t v = bytesAt(i, w);
    std::memcpy(dst + i, &v, w);
  };
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) put(i, 8);
    put(n - 8, 8);
  } else if (n >= 4) {
    put(0, 4);
    put(n - 4, 4);
  } else if (n) {
    put(0, 1);
    put(n / 2, 1);
    put(n - 1, 1);
  }
}

inline void copyShort(char* dst, const char* src, size_t n) {
  writeShort(dst, n, [src](size_t i, size_t w) {
    uint64_t v = 0;
    std::memcpy(&v, src + i, w);
    return v;
  });
}

inline void fillShort(char* dst, char c, size_t n) {
  const uint64_t word = 0x0101010101010101ull * static_cast<uint8_t>(c);
  writeShort(dst, n, [word](size_t, size_t) { return word; });
}

inline void putLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void putLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void putBe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

}  // namespace xbase::cdx
