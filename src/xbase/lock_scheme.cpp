#include "xbase/lock_scheme.h"

#include <atomic>

namespace xbase {

namespace {
std::atomic<LockScheme> g_scheme{LockScheme::FoxPro};

constexpr uint64_t kFoxHeader = 0x40000000;         // table without structural index
constexpr uint64_t kFoxFileLength = 0x3FFFFFFD;
constexpr uint64_t kFoxCdxHeader = 0x7FFFFFFE;      // table with structural index
constexpr uint64_t kFoxCdxFileStart = 0x77FFFFFF;
constexpr uint64_t kFoxCdxFileLength = 0x07FFFFFF;
constexpr uint64_t kClipperBase = 1000000000;
}  // namespace

void setLockScheme(LockScheme scheme) { g_scheme = scheme; }
LockScheme lockScheme() { return g_scheme; }

uint64_t LockOffsets::record(uint32_t recno) const {
  if (recordByOffset) return recordBase + headerLength + static_cast<uint64_t>(recno - 1) * recordLength;
  if (countsDown) return recordBase - recno;
  return recordBase + recno;
}

LockOffsets lockOffsets(LockScheme scheme, bool structuralIndex, uint16_t headerLength,
                        uint16_t recordLength) {
  LockOffsets o;
  o.headerLength = headerLength;
  o.recordLength = recordLength;
  if (scheme == LockScheme::Clipper) {
    o.header = kClipperBase;
    o.recordBase = kClipperBase;
    o.fileStart = kClipperBase + 1;
    o.fileLength = kClipperBase;
    return o;
  }
  if (structuralIndex) {
    // Records count down from the header byte: record r at 0x7FFFFFFE - r.
    o.header = kFoxCdxHeader;
    o.fileStart = kFoxCdxFileStart;
    o.fileLength = kFoxCdxFileLength;
    o.recordBase = kFoxCdxHeader;
    o.countsDown = true;
    return o;
  }
  o.header = kFoxHeader;
  o.fileStart = kFoxHeader + 1;
  o.fileLength = kFoxFileLength;
  o.recordBase = kFoxHeader;
  o.recordByOffset = true;
  return o;
}

}  // namespace xbase
