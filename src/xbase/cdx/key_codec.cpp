#include "xbase/cdx/key_codec.h"

#include <bit>

namespace xbase::cdx {

namespace {
constexpr uint64_t kSignBit = uint64_t{1} << 63;
}  // namespace

std::string encodeNumberKey(double v) {
  if (v == 0.0) v = 0.0;  // turns -0.0 into +0.0
  uint64_t bits = std::bit_cast<uint64_t>(v);
  bits = (bits & kSignBit) ? ~bits : bits ^ kSignBit;
  std::string out(8, '\0');
  for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(bits >> (56 - 8 * i));
  return out;
}

std::string encodeDateKey(int32_t jdn) {
  return encodeNumberKey(static_cast<double>(jdn));
}

std::string encodeIntegerKey(int32_t v) {
  uint32_t bits = static_cast<uint32_t>(v) ^ 0x80000000u;
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(bits >> (24 - 8 * i));
  return out;
}

double decodeNumberKey(std::string_view key8) {
  uint64_t bits = 0;
  for (size_t i = 0; i < 8; ++i)
    bits = bits << 8 | (i < key8.size() ? static_cast<uint8_t>(key8[i]) : 0);
  bits = (bits & kSignBit) ? bits ^ kSignBit : ~bits;
  return std::bit_cast<double>(bits);
}

}  // namespace xbase::cdx
