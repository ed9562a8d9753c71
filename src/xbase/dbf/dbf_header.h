#pragma once

#include <cstdint>
#include <string>

#include "xbase/common/field.h"
#include "xbase/common/status.h"

namespace xbase {

// The table header and field descriptors of a .dbf file (formats.md §1.1-1.5).
struct DbfHeader {
  uint8_t version = 0x03;
  uint8_t updateYear = 0;   // byte 1 as stored
  uint8_t updateMonth = 1;  // byte 2
  uint8_t updateDay = 1;    // byte 3
  uint32_t recordCount = 0;
  uint16_t headerLength = 0;
  uint16_t recordLength = 0;
  uint8_t tableFlags = 0;  // byte 28: 0x01 structural index, 0x02 memo (VFP)
  uint8_t codePage = 0;    // byte 29
  FieldList fields;

  bool hasStructuralIndex() const { return tableFlags & 0x01; }

  // Decodes the header bytes (the whole header area, at least 32 bytes). `path` names the
  // file in error messages. Never trusts a length without checking it against the bytes.
  static Status parse(const std::string& bytes, const std::string& path, DbfHeader* out);
  // Reads the 32-byte fixed part only; used to learn the header length before the rest.
  static Status parseFixed(const std::string& bytes, const std::string& path, DbfHeader* out);
  // A dBASE III header (version 0x03) for a new table with these fields; offsets, header
  // and record length are computed here. Names are upper-cased and must have 1-10 characters.
  static Status forNewTable(const FieldList& fields, uint8_t codePage, bool structuralIndex,
                            DbfHeader* out, const std::string& path);
  // Header bytes up to and including the terminator (and VFP backlink area when needed).
  std::string serialize() const;
};

// Version bytes whose tables we read and write; other values are refused.
bool isSupportedVersion(uint8_t version);

}  // namespace xbase
