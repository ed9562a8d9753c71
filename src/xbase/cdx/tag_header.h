#pragma once

#include <cstdint>

#include "xbase/cdx/page_store.h"
#include "xbase/cdx/tag_info.h"

namespace xbase::cdx {

struct TagHeader {
  uint32_t root = 0;
  TagInfo info;  // name is not part of the header
};

// Parses and checks the 1024 header bytes read at `offset` (0 for the file header).
Status parseTagHeader(const uint8_t* bytes, uint32_t offset, const PageStore& store,
                      TagHeader* out);

// The 1024 bytes of a header with machine collation and both expressions in the pool.
void buildTagHeader(uint32_t root, const TagInfo& info, uint8_t* out);

}  // namespace xbase::cdx
