#include "xbase/cdx/tag_header.h"

#include <cstdio>
#include <cstring>

#include "xbase/cdx/byte_order.h"

namespace xbase::cdx {

namespace {

// bytes 16-23 of headers written by one other runtime, which we read: header length,
// page length, mark. With other lengths that runtime counts in pages, not bytes.
constexpr char kForeignMark[] = "RCHB";
constexpr uint16_t kForeignHeaderLength = 0x0400;
constexpr uint16_t kForeignPageLength = 0x0200;

std::string hexByte(uint8_t v) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", v);
  return text;
}

// The expression at pool position pos, at most len bytes, ending at its NUL.
std::string poolText(const uint8_t* pool, size_t pos, size_t len) {
  const char* p = reinterpret_cast<const char*>(pool) + pos;
  return std::string(p, strnlen(p, len));
}

}  // namespace

Status parseTagHeader(const uint8_t* b, uint32_t offset, const PageStore& store, TagHeader* out) {
  const std::string where = store.path() + ": tag header at offset " + std::to_string(offset);
  if (std::memcmp(b + kHdrForeignMark, kForeignMark, 4) == 0 &&
      (getLe16(b + kHdrHeaderLength) != kForeignHeaderLength ||
       getLe16(b + kHdrPageLength) != kForeignPageLength))
    return Status::notSupported(where + ": pages of " +
                                std::to_string(getLe16(b + kHdrPageLength)) +
                                " bytes addressed by page number");
  TagInfo& info = out->info;
  info.headerOffset = offset;
  info.keyLength = getLe16(b + kHdrKeyLength);
  info.options = b[kHdrOptions];
  if (info.keyLength == 0 || info.keyLength > kMaxKeyLength)
    return Status::corruption(where + ": key length " + std::to_string(info.keyLength));
  if (!(info.options & kOptCompact) || (info.options & kOptBitVector))
    return Status::notSupported(where + ": index options " + hexByte(info.options) +
                                " (not a compact compound index)");
  const size_t keyPos = getLe16(b + kHdrKeyPos), keyLen = getLe16(b + kHdrKeyLen);
  const size_t forPos = getLe16(b + kHdrForPos), forLen = getLe16(b + kHdrForLen);
  if (keyPos + keyLen > kHdrPoolSize || forPos + forLen > kHdrPoolSize)
    return Status::corruption(where + ": expressions reach beyond the expression pool");
  info.keyExpr = poolText(b + kHdrPool, keyPos, keyLen);
  info.forExpr = poolText(b + kHdrPool, forPos, forLen);
  info.descending = getLe16(b + kHdrDescending) != 0;
  info.foreignCollation = false;
  for (size_t i = 0; i < kHdrCollationSize; ++i)
    if (b[kHdrCollation + i] != 0) info.foreignCollation = true;
  out->root = getLe32(b + kHdrRoot);
  return store.checkPage(out->root,
                         "root pointer of the tag header at offset " + std::to_string(offset));
}

void buildTagHeader(uint32_t root, const TagInfo& info, uint8_t* out) {
  std::memset(out, 0, kHeaderSize);
  putLe32(out + kHdrRoot, root);
  putLe16(out + kHdrKeyLength, info.keyLength);
  out[kHdrOptions] = info.options;
  out[kHdrSignature] = 1;
  putLe16(out + kHdrDescending, info.descending ? 1 : 0);
  const size_t keyLen = info.keyExpr.size() + 1, forLen = info.forExpr.size() + 1;
  putLe16(out + kHdrKeyPos, 0);
  putLe16(out + kHdrKeyLen, static_cast<uint16_t>(keyLen));
  putLe16(out + kHdrForPos, static_cast<uint16_t>(keyLen));
  putLe16(out + kHdrForLen, static_cast<uint16_t>(forLen));
  std::memcpy(out + kHdrPool, info.keyExpr.data(), info.keyExpr.size());
  std::memcpy(out + kHdrPool + keyLen, info.forExpr.data(), info.forExpr.size());
}

}  // namespace xbase::cdx
