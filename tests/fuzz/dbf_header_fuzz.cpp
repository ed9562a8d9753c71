// Table headers and records from arbitrary bytes: the header decoder must refuse or accept
// without crashing, and every field of every record it accepts must decode.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xbase/dbf/dbf_header.h"
#include "xbase/expr/field_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  xbase::DbfHeader header;
  if (!xbase::DbfHeader::parse(bytes, "fuzz.dbf", &header).isOk()) return 0;
  size_t records = (size - std::min<size_t>(size, header.headerLength)) / header.recordLength;
  for (size_t r = 0; r < records && r < 64; ++r) {
    std::string_view rec(bytes.data() + header.headerLength + r * header.recordLength, header.recordLength);
    for (const auto& f : header.fields) xbase::fieldValue(f, rec);
  }
  return 0;
}
