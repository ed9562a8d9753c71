#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase::cdx {

// Key bytes of non-character index keys. Each encoding sorts with plain memcmp in the
// order of the values it stands for.

// Numeric keys: the IEEE double big-endian, top bit flipped for values >= 0, all bits
// inverted for negative values; -0.0 is stored as 0.0. 8 bytes.
std::string encodeNumberKey(double v);
// Date keys: the Julian day number encoded as a numeric key; 0 (the empty date) is 0.0.
std::string encodeDateKey(int32_t jdn);
// 4-byte integer keys: (value + 0x80000000) big-endian.
std::string encodeIntegerKey(int32_t v);
// The value of an 8-byte numeric or date key.
double decodeNumberKey(std::string_view key8);

}  // namespace xbase::cdx
