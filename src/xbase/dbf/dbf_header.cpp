#include "xbase/dbf/dbf_header.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>

namespace xbase {

namespace {

uint16_t le16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t le32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(le16(b, at)) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}
void putLe16(std::string& b, size_t at, uint16_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8);
}
void putLe32(std::string& b, size_t at, uint32_t v) {
  putLe16(b, at, static_cast<uint16_t>(v & 0xFFFF));
  putLe16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

bool isVfp(uint8_t version) { return version == 0x30 || version == 0x31 || version == 0x32; }

constexpr size_t kFixedSize = 32;       // bytes 0-31: fixed header
constexpr size_t kDescriptorSize = 32;  // one field descriptor
constexpr size_t kVfpBacklink = 263;    // VFP: path of the owning database after the terminator

}  // namespace

bool isSupportedVersion(uint8_t version) {
  switch (version) {
    case 0x02: case 0x03: case 0x30: case 0x31: case 0x32: case 0x43: case 0x63:
    case 0x83: case 0x8B: case 0xCB: case 0xF5: case 0xFB:
      return true;
    default:
      return false;
  }
}

Status DbfHeader::parseFixed(const std::string& b, const std::string& path, DbfHeader* out) {
  if (b.size() < kFixedSize) return Status::corruption(path + ": file too short for a table header");
  DbfHeader h;
  h.version = static_cast<uint8_t>(b[0]);  // byte 0: version
  if (!isSupportedVersion(h.version))
    return Status::notSupported(path + ": unknown table version byte 0x" +
                                std::to_string(h.version));
  h.updateYear = static_cast<uint8_t>(b[1]);  // bytes 1-3: last update
  h.updateMonth = static_cast<uint8_t>(b[2]);
  h.updateDay = static_cast<uint8_t>(b[3]);
  h.recordCount = le32(b, 4);    // bytes 4-7: record count
  h.headerLength = le16(b, 8);   // bytes 8-9: header length
  h.recordLength = le16(b, 10);  // bytes 10-11: record length incl. deletion flag
  h.tableFlags = static_cast<uint8_t>(b[28]);  // byte 28: table flags
  h.codePage = static_cast<uint8_t>(b[29]);    // byte 29: code-page mark
  if (h.headerLength < kFixedSize + 1)
    return Status::corruption(path + ": header length " + std::to_string(h.headerLength) +
                              " is too small");
  if (h.recordLength < 1) return Status::corruption(path + ": record length is 0");
  *out = std::move(h);
  return Status::ok();
}

Status DbfHeader::parse(const std::string& b, const std::string& path, DbfHeader* out) {
  DbfHeader h;
  XBASE_RETURN_IF_ERROR(parseFixed(b, path, &h));
  if (b.size() < h.headerLength)
    return Status::corruption(path + ": file shorter than its header length " +
                              std::to_string(h.headerLength));
  uint32_t offset = 1;  // byte 0 of a record is the deletion flag
  size_t pos = kFixedSize;
  for (;;) {
    if (pos >= h.headerLength)
      return Status::corruption(path + ": field descriptors run past the header (no terminator)");
    char c = b[pos];
    if (c == 0x0D || c == 0x0A) break;  // terminator; some writers use 0x0A
    if (pos + kDescriptorSize > h.headerLength)
      return Status::corruption(path + ": field descriptor at offset " + std::to_string(pos) +
                                " lies past the header");
    FieldDef f;
    const char* d = b.data() + pos;
    size_t nameLen = 0;
    while (nameLen < 11 && d[nameLen] != '\0') ++nameLen;  // bytes 0-10: name, NUL-padded
    f.name.assign(d, nameLen);
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(d[11])));  // byte 11
    f.length = static_cast<uint8_t>(d[16]);                                       // byte 16
    f.decimals = static_cast<uint8_t>(d[17]);                                     // byte 17
    f.flags = static_cast<uint8_t>(d[18]);                                        // byte 18
    if (f.type == 'C' && f.decimals != 0) {
      // Character fields above 255 bytes keep the high byte of the length in byte 17.
      f.length = static_cast<uint16_t>(f.length | (f.decimals << 8));
      f.decimals = 0;
    }
    if (f.name.empty()) return Status::corruption(path + ": field without a name at offset " + std::to_string(pos));
    if (f.length == 0)
      return Status::corruption(path + ": field " + f.name + " has length 0");
    f.offset = offset;  // always computed; writers leave garbage in bytes 12-15
    offset += f.length;
    h.fields.push_back(std::move(f));
    pos += kDescriptorSize;
  }
  if (h.fields.empty()) return Status::corruption(path + ": table without fields");
  if (offset > h.recordLength)
    return Status::corruption(path + ": fields need " + std::to_string(offset) +
                              " bytes but the record length is " + std::to_string(h.recordLength));
  *out = std::move(h);
  return Status::ok();
}

Status DbfHeader::forNewTable(const FieldList& fields, uint8_t codePage, bool structuralIndex,
                              DbfHeader* out, const std::string& path) {
  if (fields.empty()) return Status::invalidArgument(path + ": a table needs at least one field");
  DbfHeader h;
  h.version = 0x03;
  auto today = std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  h.updateYear = static_cast<uint8_t>(static_cast<int>(today.year()) - 1900);
  h.updateMonth = static_cast<uint8_t>(static_cast<unsigned>(today.month()));
  h.updateDay = static_cast<uint8_t>(static_cast<unsigned>(today.day()));
  h.tableFlags = structuralIndex ? 0x01 : 0x00;
  h.codePage = codePage;
  uint32_t offset = 1;
  for (FieldDef f : fields) {
    if (f.name.empty() || f.name.size() > 10)
      return Status::invalidArgument(path + ": field name '" + f.name + "' must have 1 to 10 characters");
    for (auto& ch : f.name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
    if (f.type == 'D') f.length = 8;
    if (f.type == 'L') f.length = 1;
    if (f.length == 0 || (f.type != 'C' && f.length > 255))
      return Status::invalidArgument(path + ": field " + f.name + " has an invalid length");
    if (f.type != 'C' && f.type != 'N' && f.type != 'F' && f.type != 'L' && f.type != 'D')
      return Status::invalidArgument(path + ": field " + f.name + " has type " + f.type +
                                     ", new tables hold C, N, F, L and D fields only");
    f.offset = offset;
    offset += f.length;
    h.fields.push_back(std::move(f));
  }
  if (offset > 0xFFFF) return Status::invalidArgument(path + ": record longer than 65535 bytes");
  h.recordLength = static_cast<uint16_t>(offset);
  h.headerLength = static_cast<uint16_t>(kFixedSize + kDescriptorSize * h.fields.size() + 1);
  *out = std::move(h);
  return Status::ok();
}

std::string DbfHeader::serialize() const {
  size_t descEnd = kFixedSize + kDescriptorSize * fields.size();
  size_t size = std::max<size_t>(headerLength, descEnd + 1 + (isVfp(version) ? kVfpBacklink : 0));
  std::string b(size, '\0');
  b[0] = static_cast<char>(version);
  b[1] = static_cast<char>(updateYear);
  b[2] = static_cast<char>(updateMonth);
  b[3] = static_cast<char>(updateDay);
  putLe32(b, 4, recordCount);
  putLe16(b, 8, headerLength);
  putLe16(b, 10, recordLength);
  b[28] = static_cast<char>(tableFlags);
  b[29] = static_cast<char>(codePage);
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldDef& f = fields[i];
    char* d = b.data() + kFixedSize + kDescriptorSize * i;
    std::memcpy(d, f.name.data(), std::min<size_t>(f.name.size(), 10));
    d[11] = f.type;
    putLe32(b, kFixedSize + kDescriptorSize * i + 12, f.offset);  // bytes 12-15: displacement
    if (f.type == 'C' && f.length > 255) {
      d[16] = static_cast<char>(f.length & 0xFF);
      d[17] = static_cast<char>(f.length >> 8);
    } else {
      d[16] = static_cast<char>(f.length);
      d[17] = static_cast<char>(f.decimals);
    }
    d[18] = static_cast<char>(f.flags);
  }
  b[descEnd] = 0x0D;
  return b;
}

}  // namespace xbase
