#include "xbase/cdx/key_list.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/byte_order.h"

namespace xbase::cdx {

void KeyList::reserve(size_t n) {
  m_keys.reserve(n * m_keyLength);
  m_recnos.reserve(n);
}

void KeyList::clear() {
  m_keys.clear();
  m_recnos.clear();
  m_maxRecno = 0;
  m_allKeysFit = true;
}

void KeyList::add(std::string_view key, uint32_t recno) {
  if (key.size() != m_keyLength) {
    m_allKeysFit = false;
    return;
  }
  m_keys.append(key);
  m_recnos.push_back(recno);
  m_maxRecno = std::max(m_maxRecno, recno);
}

std::vector<uint32_t> KeyList::sortedOrder(bool unique) const {
  // Sorting (first 8 key bytes as one integer, index) pairs keeps most comparisons inside
  // the array; only equal prefixes look at the rest of the keys.
  struct Item {
    uint64_t prefix;
    uint32_t index;
  };
  const size_t n = size();
  const size_t head = std::min<size_t>(8, m_keyLength);
  std::vector<Item> items(n);
  for (size_t i = 0; i < n; ++i)
    items[i] = {keyHead(m_keys.data() + i * m_keyLength, m_keyLength), static_cast<uint32_t>(i)};
  const char* keys = m_keys.data();
  const size_t rest = m_keyLength - head;
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    int c = std::memcmp(keys + size_t{a.index} * m_keyLength + head,
                        keys + size_t{b.index} * m_keyLength + head, rest);
    if (c != 0) return c < 0;
    return m_recnos[a.index] < m_recnos[b.index];
  });
  std::vector<uint32_t> order;
  order.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const uint32_t index = items[i].index;
    if (!order.empty() && items[i].prefix == items[i - 1].prefix &&
        std::memcmp(keys + size_t{index} * m_keyLength, keys + size_t{order.back()} * m_keyLength,
                    m_keyLength) == 0 &&
        (unique || m_recnos[index] == m_recnos[order.back()]))
      continue;
    order.push_back(index);
  }
  return order;
}

}  // namespace xbase::cdx
