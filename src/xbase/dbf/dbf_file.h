#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "xbase/common/file.h"
#include "xbase/dbf/dbf_header.h"

namespace xbase {

// The records of one .dbf file: raw record bytes in and out, the header kept valid after
// every change in an order that leaves a readable table whatever moment a crash hits.
class DbfFile {
 public:
  static Status open(FileSystem& fs, const std::string& path, OpenMode mode,
                     std::unique_ptr<DbfFile>* out);
  // Creates a new, empty table (dBASE III, code-page byte 0x03 for Windows-1252 by default).
  static Status create(FileSystem& fs, const std::string& path, const FieldList& fields,
                       bool structuralIndex, std::unique_ptr<DbfFile>* out,
                       uint8_t codePage = 0x03);

  const DbfHeader& header() const { return m_header; }
  const FieldList& fields() const { return m_header.fields; }
  uint16_t recordLength() const { return m_header.recordLength; }
  OpenMode mode() const { return m_mode; }
  File& file() { return *m_file; }
  const std::string& path() const { return m_file->path(); }

  // Number of records. In shared mode the header and the file size are read again, because
  // another process may have appended; a runtime that appends without rewriting the header
  // leaves the count behind the size, so the larger of the two counts.
  Status recordCount(uint32_t* out);
  // The count as last seen, without touching the disk.
  uint32_t cachedRecordCount() const { return m_count; }

  // Reads record `recno` (1-based) into `out` (recordLength bytes, byte 0 = deletion flag).
  Status readRecord(uint32_t recno, std::string& out);
  // Reads `count` consecutive records starting at `first` into `out` (count*recordLength).
  Status readRecords(uint32_t first, uint32_t count, std::string& out);
  Status writeRecord(uint32_t recno, const std::string& bytes);
  // Appends a record: the record and a new end-of-file byte in one write, then the date and
  // count in one header write. Returns the new record's number.
  Status appendRecord(const std::string& bytes, uint32_t* recno);
  // A record of blanks (not deleted), as a new record is.
  std::string blankRecord() const { return std::string(m_header.recordLength, ' '); }

  // Removes records marked deleted (progress called once per record read), then truncates.
  Status pack(const std::function<void(uint32_t done, uint32_t total)>& progress = {});
  // Removes all records.
  Status zap();
  Status sync() { return m_file->sync(); }

 private:
  DbfFile(std::unique_ptr<File> file, DbfHeader header, OpenMode mode);
  Status writeCount(uint32_t count);
  uint64_t recordOffset(uint32_t recno) const {
    return m_header.headerLength + static_cast<uint64_t>(recno - 1) * m_header.recordLength;
  }

  std::unique_ptr<File> m_file;
  DbfHeader m_header;
  OpenMode m_mode;
  uint32_t m_count = 0;
  bool m_countKnown = false;
};

}  // namespace xbase
