#include "xbase/dbf/dbf_file.h"

#include <algorithm>
#include <chrono>

namespace xbase {

namespace {
constexpr char kEndOfFile = 0x1A;

// Bytes 1-3 of the header: today's date, year stored as year - 1900.
void stampDate(char* b) {
  auto today = std::chrono::year_month_day{
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  b[0] = static_cast<char>(static_cast<int>(today.year()) - 1900);
  b[1] = static_cast<char>(static_cast<unsigned>(today.month()));
  b[2] = static_cast<char>(static_cast<unsigned>(today.day()));
}

void putLe32(char* b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
}  // namespace

DbfFile::DbfFile(std::unique_ptr<File> file, DbfHeader header, OpenMode mode)
    : m_file(std::move(file)), m_header(std::move(header)), m_mode(mode) {}

Status DbfFile::open(FileSystem& fs, const std::string& path, OpenMode mode,
                     std::unique_ptr<DbfFile>* out) {
  std::unique_ptr<File> file;
  XBASE_RETURN_IF_ERROR(fs.open(path, mode, &file));
  std::string fixed(32, '\0');
  size_t got = 0;
  XBASE_RETURN_IF_ERROR(file->readAt(0, fixed.data(), fixed.size(), &got));
  fixed.resize(got);
  DbfHeader header;
  XBASE_RETURN_IF_ERROR(DbfHeader::parseFixed(fixed, file->path(), &header));
  std::string all(header.headerLength, '\0');
  XBASE_RETURN_IF_ERROR(file->readAt(0, all.data(), all.size(), &got));
  all.resize(got);
  XBASE_RETURN_IF_ERROR(DbfHeader::parse(all, file->path(), &header));
  std::unique_ptr<DbfFile> dbf(new DbfFile(std::move(file), std::move(header), mode));
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(dbf->recordCount(&count));
  *out = std::move(dbf);
  return Status::ok();
}

Status DbfFile::create(FileSystem& fs, const std::string& path, const FieldList& fields,
                       bool structuralIndex, std::unique_ptr<DbfFile>* out, uint8_t codePage) {
  DbfHeader header;
  XBASE_RETURN_IF_ERROR(DbfHeader::forNewTable(fields, codePage, structuralIndex, &header, path));
  std::unique_ptr<File> file;
  XBASE_RETURN_IF_ERROR(fs.create(path, &file));
  std::string bytes = header.serialize();
  bytes.push_back(kEndOfFile);
  XBASE_RETURN_IF_ERROR(file->writeAt(0, bytes.data(), bytes.size()));
  out->reset(new DbfFile(std::move(file), std::move(header), OpenMode::Exclusive));
  return Status::ok();
}

Status DbfFile::recordCount(uint32_t* out) {
  if (m_mode == OpenMode::Exclusive && m_countKnown) {
    *out = m_count;
    return Status::ok();
  }
  char b[4];
  XBASE_RETURN_IF_ERROR(m_file->readExact(4, b, 4));  // bytes 4-7: record count
  uint32_t headerCount = static_cast<uint32_t>(static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8 |
                                               static_cast<uint8_t>(b[2]) << 16 |
                                               static_cast<uint32_t>(static_cast<uint8_t>(b[3])) << 24);
  uint64_t size = 0;
  XBASE_RETURN_IF_ERROR(m_file->size(&size));
  uint64_t onDisk = size < m_header.headerLength ? 0 : (size - m_header.headerLength) / m_header.recordLength;
  if (headerCount > onDisk)
    return Status::corruption(m_file->path() + ": header counts " + std::to_string(headerCount) +
                              " records but the file holds only " + std::to_string(onDisk));
  m_header.recordCount = headerCount;
  m_count = static_cast<uint32_t>(std::max<uint64_t>(headerCount, onDisk));
  m_countKnown = true;
  *out = m_count;
  return Status::ok();
}

Status DbfFile::readRecord(uint32_t recno, std::string& out) {
  return readRecords(recno, 1, out);
}

Status DbfFile::readRecords(uint32_t first, uint32_t count, std::string& out) {
  if (first == 0 || first - 1 + static_cast<uint64_t>(count) > m_count)
    return Status::invalidArgument(m_file->path() + ": record " + std::to_string(first) +
                                   " does not exist");
  out.resize(static_cast<size_t>(count) * m_header.recordLength);
  return m_file->readExact(recordOffset(first), out.data(), out.size());
}

Status DbfFile::writeRecord(uint32_t recno, const std::string& bytes) {
  if (recno == 0 || recno > m_count)
    return Status::invalidArgument(m_file->path() + ": record " + std::to_string(recno) +
                                   " does not exist");
  if (bytes.size() != m_header.recordLength)
    return Status::invalidArgument(m_file->path() + ": record buffer has the wrong length");
  return m_file->writeAt(recordOffset(recno), bytes.data(), bytes.size());
}

Status DbfFile::appendRecord(const std::string& bytes, uint32_t* recno) {
  if (bytes.size() != m_header.recordLength)
    return Status::invalidArgument(m_file->path() + ": record buffer has the wrong length");
  if (m_mode != OpenMode::Exclusive) XBASE_RETURN_IF_ERROR(recordCount(&m_count));
  uint32_t n = m_count;
  std::string block;
  block.reserve(bytes.size() + 1);
  block.append(bytes);
  block.push_back(kEndOfFile);
  XBASE_RETURN_IF_ERROR(m_file->writeAt(recordOffset(n + 1), block.data(), block.size()));
  m_count = n + 1;
  return (*recno = m_count, writeCount(m_count));
}

Status DbfFile::writeCount(uint32_t count) {
  char b[7];  // bytes 1-3: last update, bytes 4-7: record count
  stampDate(b);
  putLe32(b + 3, count);
  XBASE_RETURN_IF_ERROR(m_file->writeAt(1, b, sizeof b));
  m_header.recordCount = count;
  return Status::ok();
}

Status DbfFile::pack(const std::function<void(uint32_t, uint32_t)>& progress) {
  uint32_t total = 0;
  XBASE_RETURN_IF_ERROR(recordCount(&total));
  constexpr uint32_t kChunk = 1024;
  std::string chunk;
  uint32_t kept = 0;
  for (uint32_t first = 1; first <= total; first += kChunk) {
    uint32_t n = std::min(kChunk, total - first + 1);
    XBASE_RETURN_IF_ERROR(readRecords(first, n, chunk));
    for (uint32_t i = 0; i < n; ++i) {
      const char* rec = chunk.data() + static_cast<size_t>(i) * m_header.recordLength;
      if (progress) progress(first + i, total);
      if (rec[0] == '*') continue;
      ++kept;
      if (kept != first + i)
        XBASE_RETURN_IF_ERROR(m_file->writeAt(recordOffset(kept), rec, m_header.recordLength));
    }
  }
  char eof = kEndOfFile;
  XBASE_RETURN_IF_ERROR(writeCount(kept));
  XBASE_RETURN_IF_ERROR(m_file->writeAt(recordOffset(kept + 1), &eof, 1));
  XBASE_RETURN_IF_ERROR(m_file->truncate(recordOffset(kept + 1) + 1));
  m_count = kept;
  return Status::ok();
}

Status DbfFile::zap() {
  char eof = kEndOfFile;
  XBASE_RETURN_IF_ERROR(writeCount(0));
  XBASE_RETURN_IF_ERROR(m_file->writeAt(m_header.headerLength, &eof, 1));
  XBASE_RETURN_IF_ERROR(m_file->truncate(m_header.headerLength + 1u));
  m_count = 0;
  return Status::ok();
}

}  // namespace xbase
