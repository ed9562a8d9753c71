#pragma once

#include <cstdint>

namespace xbase {

// Where the record, header (append) and file locks of a table lie: byte-range locks far
// beyond the data, at the offsets every program sharing the files derives from the same
// facts (formats.md §3.1). Advisory: they block other lockers, never reads or writes.
enum class LockScheme {
  FoxPro,   // the FoxPro / Visual FoxPro convention (the default)
  Clipper,  // the Clipper convention, for sites whose other programs use it
};

void setLockScheme(LockScheme scheme);
LockScheme lockScheme();

struct LockOffsets {
  uint64_t header = 0;  // also the append lock
  uint64_t fileStart = 0;
  uint64_t fileLength = 0;
  // FoxPro without a structural index: above 1 GiB at the record's own file offset.
  uint64_t recordBase = 0;
  bool recordByOffset = false;
  bool countsDown = false;  // FoxPro with a structural index: record r at header - r
  uint16_t headerLength = 0;
  uint16_t recordLength = 0;

  uint64_t record(uint32_t recno) const;
};

// `structuralIndex`: the table's flag byte 28 has 0x01 and its compound index of the same
// name exists, so the other programs open that index with the table.
LockOffsets lockOffsets(LockScheme scheme, bool structuralIndex, uint16_t headerLength,
                        uint16_t recordLength);

// The lock byte inside a .cdx file, taken for reading around every tree walk and for
// writing around every update.
constexpr uint64_t kIndexLockOffset = 0x7FFFFFFE;

}  // namespace xbase
