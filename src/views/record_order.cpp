#include "views/record_order.h"

namespace views {

std::vector<uint32_t> recordsAfter(xbase::Table& table, uint32_t after, size_t count) {
  std::vector<uint32_t> records;
  if (count == 0) return records;
  xbase::Status st = after == 0 ? table.goTop() : table.goTo(after);
  if (st.isOk() && after != 0) st = table.skip(1);
  while (st.isOk() && !table.eof() && records.size() < count) {
    records.push_back(table.recNo());
    if (records.size() < count) st = table.skip(1);
  }
  return records;
}

}  // namespace views
