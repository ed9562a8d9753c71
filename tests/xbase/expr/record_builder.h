#pragma once

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "xbase/common/field.h"

namespace exprtest {

// Fields laid out one after the other from byte 1, as a .dbf record holds them.
inline xbase::FieldList makeFields(std::initializer_list<xbase::FieldDef> defs) {
  xbase::FieldList fields(defs);
  uint32_t offset = 1;
  for (xbase::FieldDef& f : fields) {
    f.offset = offset;
    offset += f.length;
  }
  return fields;
}

// The bytes of one record, blank to start with; fields are set to their stored bytes.
class RecordBuilder {
 public:
  explicit RecordBuilder(const xbase::FieldList& fields) : m_fields(fields) {
    const xbase::FieldDef& last = fields.back();
    m_bytes.assign(last.offset + last.length, ' ');
  }
  RecordBuilder& set(std::string_view name, std::string_view stored) {
    const xbase::FieldDef& f = m_fields[xbase::findField(m_fields, name)];
    m_bytes.replace(f.offset, f.length,
                    std::string(stored).append(f.length, ' ').substr(0, f.length));
    return *this;
  }
  template <class T>
  RecordBuilder& setBinary(std::string_view name, T value) {  // little-endian, as VFP stores
    const xbase::FieldDef& f = m_fields[xbase::findField(m_fields, name)];
    std::memcpy(&m_bytes[f.offset], &value, sizeof value);
    return *this;
  }
  RecordBuilder& deleted(bool on) {
    m_bytes[0] = on ? '*' : ' ';
    return *this;
  }
  const std::string& bytes() const { return m_bytes; }

 private:
  const xbase::FieldList& m_fields;
  std::string m_bytes;
};

}  // namespace exprtest
