#pragma once

#include <cstdint>
#include <string>

#include "xbase/cdx/leaf_format.h"
#include "xbase/cdx/page.h"
#include "xbase/common/status.h"

namespace xbase::cdx {

// Decodes the 512 bytes of a tree page found at `offset` of the file `path`. Leaf widths
// come from the page itself; trailing bytes are rebuilt with `fill`. Every field that could
// lead outside the page, and a free-space field that disagrees with the content, gives
// Corruption naming the file and the offset. Sibling and child pointers are not followed.
Status decodePage(const uint8_t* bytes, uint32_t offset, uint16_t keyLength, char fill,
                  const std::string& path, Page* out);

// Encodes a page into 512 bytes; a leaf with the widths this engine writes. Fails when the
// page does not fit.
Status encodePage(const Page& page, const std::string& path, uint8_t* out);

// Encodes a leaf with the given widths and its entries' compression; false when a record
// number or the keys do not fit.
bool encodeLeaf(const Page& leaf, const LeafLayout& layout, uint8_t* out);

}  // namespace xbase::cdx
