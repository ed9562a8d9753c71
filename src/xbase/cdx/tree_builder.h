#pragma once

#include <cstdint>
#include <vector>

#include "xbase/cdx/key_list.h"
#include "xbase/cdx/page_store.h"

namespace xbase::cdx {

// Writes the B+-tree of a tag bottom-up: the entries of `order` (sorted, indexes into
// `entries`) in densely filled leaves, then interior levels up to a single root. The pages
// are written at once; *root receives the root page.
Status buildTree(PageStore& store, const KeyList& entries, const std::vector<uint32_t>& order,
                 char fill, uint32_t* root);

}  // namespace xbase::cdx
