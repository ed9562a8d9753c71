#pragma once

#include <cstdint>
#include <string>

#include "xbase/cdx/layout.h"

namespace xbase::cdx {

// What a tag header says about its tag.
struct TagInfo {
  std::string name;              // upper case, as in the tag directory
  std::string keyExpr, forExpr;  // as stored (forExpr empty when none)
  uint16_t keyLength = 0;
  uint8_t options = 0;  // raw option byte (kOptUnique, kOptFor, ...)
  bool descending = false;
  bool foreignCollation = false;  // keys in a collation other than byte order: read, never update
  uint32_t headerOffset = 0;
  bool unique() const { return options & kOptUnique; }
};

// A tag to create. fill is the trailing byte of the leaf compression (' ' for character
// keys, 0 for all others).
struct TagSpec {
  std::string name, keyExpr, forExpr;
  uint16_t keyLength = 0;
  bool unique = false, descending = false;
  char fill = ' ';
};

}  // namespace xbase::cdx
