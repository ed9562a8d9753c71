#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase::cdx {

// Entries for building a tag in one pass: keys back to back, keyLength bytes each, with
// their record numbers, in any order.
class KeyList {
 public:
  explicit KeyList(uint16_t keyLength) : m_keyLength(keyLength) {}
  void reserve(size_t n);
  void clear();
  // key must be exactly keyLength bytes; a list that got another length is refused by
  // CdxFile::addTag.
  void add(std::string_view key, uint32_t recno);

  uint16_t keyLength() const { return m_keyLength; }
  size_t size() const { return m_recnos.size(); }
  std::string_view key(size_t i) const { return {m_keys.data() + i * m_keyLength, m_keyLength}; }
  uint32_t recno(size_t i) const { return m_recnos[i]; }
  bool allKeysFit() const { return m_allKeysFit; }
  uint32_t maxRecno() const { return m_maxRecno; }

  // Entry indexes in (key, record number) order without repeated entries; with `unique` only
  // the lowest record number of each key.
  std::vector<uint32_t> sortedOrder(bool unique) const;

 private:
  uint16_t m_keyLength;
  std::string m_keys;
  std::vector<uint32_t> m_recnos;
  uint32_t m_maxRecno = 0;
  bool m_allKeysFit = true;
};

}  // namespace xbase::cdx
