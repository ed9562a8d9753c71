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

// Copies the n bytes of a key part. Key parts are short: a few word moves beat the string
// instruction the compiler emits for a copy of unknown length, whose start-up alone costs
// more than such a copy (measured: the largest cost of decoding a leaf).
inline void copyShort(char* dst, const char* src, size_t n) {
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) std::memcpy(dst + i, src + i, 8);
    std::memcpy(dst + n - 8, src + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + n - 4, src + n - 4, 4);
  } else if (n) {
    dst[0] = src[0];
    dst[n / 2] = src[n / 2];
    dst[n - 1] = src[n - 1];
  }
}

// Sets the n bytes of a key part to c, for the same reason.
inline void fillShort(char* dst, char c, size_t n) {
  const uint64_t word = 0x0101010101010101ull * static_cast<uint8_t>(c);
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) std::memcpy(dst + i, &word, 8);
    std::memcpy(dst + n - 8, &word, 8);
  } else if (n >= 4) {
    std::memcpy(dst, &word, 4);
    std::memcpy(dst + n - 4, &word, 4);
  } else if (n) {
    dst[0] = dst[n / 2] = dst[n - 1] = c;
  }
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
