#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xbase/table.h"

namespace views {

// Up to `count` record numbers of the table's visible records in its controlling order,
// following record `after` (0: from the top). Fewer at the end of the table, or when the
// engine reports an error. Leaves the table on the last record read (or at its end).
std::vector<uint32_t> recordsAfter(xbase::Table& table, uint32_t after, size_t count);

}  // namespace views
