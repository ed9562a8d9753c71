#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// One field of a table as its descriptor gives it.
struct FieldDef {
  std::string name;     // as stored: upper case, at most 10 characters
  char type = 'C';      // C N F L D M, and VFP's I B Y T G P V Q W 0 carried through
  uint16_t length = 0;  // bytes in the record (C fields above 255 use the decimals byte)
  uint8_t decimals = 0;
  uint32_t offset = 0;  // offset inside the record buffer; byte 0 is the deletion flag
  uint8_t flags = 0;    // VFP field flags (0x01 system column, 0x02 nullable, 0x04 binary)
};

using FieldList = std::vector<FieldDef>;

// Names of fields, tags and aliases compare without regard to (ASCII) case.
bool sameName(std::string_view a, std::string_view b);

// Index of the field with this name compared without regard to case, or -1.
int findField(const FieldList& fields, std::string_view name);

}  // namespace xbase
