#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of a compound index file: 512-byte pages addressed by absolute byte offsets,
// a 1024-byte header for the tag directory at offset 0 and one per tag, and a B+-tree of
// interior and leaf pages per tag.
namespace xbase::cdx {

constexpr uint32_t kPageSize = 512;
constexpr uint32_t kHeaderSize = 1024;
// Sibling pointer of the first/last page of a level.
constexpr uint32_t kNoPage = 0xFFFFFFFF;
constexpr uint16_t kMaxKeyLength = 240;
// Tag names are the 10-byte, blank-padded keys of the tag directory.
constexpr uint16_t kTagNameLength = 10;

// Header (file header and every tag header)
constexpr size_t kHdrRoot = 0;           // bytes 0-3: offset of the root page
constexpr size_t kHdrFreeList = 4;       // bytes 4-7: head of the free-page list (file header)
constexpr size_t kHdrCounter = 8;        // bytes 8-11: change counter, big-endian (file header)
constexpr size_t kHdrKeyLength = 12;     // bytes 12-13: key length
constexpr size_t kHdrOptions = 14;       // byte 14: index options
constexpr size_t kHdrSignature = 15;     // byte 15: signature, 1
constexpr size_t kHdrHeaderLength = 16;  // bytes 16-17: 0x0400 in files of one other runtime
constexpr size_t kHdrPageLength = 18;    // bytes 18-19: 0x0200 in files of one other runtime
constexpr size_t kHdrForeignMark = 20;   // bytes 20-23: "RCHB" in files of one other runtime
constexpr size_t kHdrCollation = 494;    // bytes 494-501: collation name, zero = machine order
constexpr size_t kHdrCollationSize = 8;
constexpr size_t kHdrDescending = 502;  // bytes 502-503: 1 = descending
constexpr size_t kHdrForPos = 504;      // bytes 504-505: FOR expression position in the pool
constexpr size_t kHdrForLen = 506;      // bytes 506-507: FOR expression length incl. NUL
constexpr size_t kHdrKeyPos = 508;      // bytes 508-509: key expression position in the pool
constexpr size_t kHdrKeyLen = 510;      // bytes 510-511: key expression length incl. NUL
constexpr size_t kHdrPool = 512;        // bytes 512-1023: expression pool
constexpr size_t kHdrPoolSize = 512;

// Index options (header byte 14)
constexpr uint8_t kOptUnique = 0x01;
constexpr uint8_t kOptFor = 0x08;
constexpr uint8_t kOptBitVector = 0x10;  // never seen; not readable here
constexpr uint8_t kOptCompact = 0x20;
constexpr uint8_t kOptCompound = 0x40;
constexpr uint8_t kOptCompoundHeader = 0x80;
constexpr uint8_t kFileHeaderOptions = kOptCompact | kOptCompound | kOptCompoundHeader;
constexpr uint8_t kTagOptions = kOptCompact | kOptCompound;

// Node header (every tree page)
constexpr size_t kNodeAttributes = 0;  // bytes 0-1: bit 0 root, bit 1 leaf
constexpr size_t kNodeCount = 2;       // bytes 2-3: number of keys
constexpr size_t kNodeLeft = 4;        // bytes 4-7: left sibling
constexpr size_t kNodeRight = 8;       // bytes 8-11: right sibling
constexpr size_t kNodeHeaderSize = 12;
constexpr uint16_t kAttrRoot = 0x01;
constexpr uint16_t kAttrLeaf = 0x02;

// Interior page: entries of key, record number (big-endian), child offset (big-endian)
constexpr size_t kInteriorEntries = 12;

// Leaf page
constexpr size_t kLeafFree = 12;        // bytes 12-13: free bytes
constexpr size_t kLeafRecnoMask = 14;   // bytes 14-17: record number mask
constexpr size_t kLeafDupMask = 18;     // byte 18: duplicate count mask
constexpr size_t kLeafTrailMask = 19;   // byte 19: trailing count mask
constexpr size_t kLeafRecnoBits = 20;   // byte 20: bits of the record number
constexpr size_t kLeafDupBits = 21;     // byte 21: bits of the duplicate count
constexpr size_t kLeafTrailBits = 22;   // byte 22: bits of the trailing count
constexpr size_t kLeafEntryBytes = 23;  // byte 23: bytes per entry
constexpr size_t kLeafEntries = 24;     // entries grow forward, key bytes backward from 511

// Entries an interior page of this key length holds.
constexpr size_t interiorCapacity(uint16_t keyLength) {
  return (kPageSize - kInteriorEntries) / (keyLength + 8u);
}

}  // namespace xbase::cdx
