#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "xbase/common/status.h"

namespace xbase {

enum class OpenMode {
  ReadOnly,   // shared read access; nothing is ever written
  Shared,     // read/write, other processes may open the file too
  Exclusive,  // read/write, no other process may open the file
};

enum class LockType { Read, Write };

// The engine's one door to the operating system: every read, write, size query, sync
// and lock of a table or index file goes through this interface, so that tests can
// inject faults and later layers can add locking and cache checks in one place.
class File {
 public:
  virtual ~File() = default;
  // Reads up to n bytes at offset; *got receives the count (short at end of file).
  virtual Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) = 0;
  virtual Status writeAt(uint64_t offset, const void* buf, size_t n) = 0;
  virtual Status size(uint64_t* out) = 0;
  virtual Status truncate(uint64_t size) = 0;
  virtual Status sync() = 0;
  // Non-blocking byte-range lock; Status::locked when another owner holds a conflicting lock.
  virtual Status lockRange(uint64_t offset, uint64_t length, LockType type) = 0;
  virtual Status unlockRange(uint64_t offset, uint64_t length) = 0;
  virtual const std::string& path() const = 0;

  // Reads exactly n bytes or fails with Corruption ("file too short").
  Status readExact(uint64_t offset, void* buf, size_t n);
};

// Opens and manages files by path. The default implementation is the real file system;
// tests wrap it to inject faults.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) = 0;
  // Creates (or truncates) a file for writing, opened exclusively.
  virtual Status create(const std::string& path, std::unique_ptr<File>* out) = 0;
  virtual bool exists(const std::string& path) = 0;
  virtual Status remove(const std::string& path) = 0;
  virtual Status rename(const std::string& from, const std::string& to) = 0;

  // The process-wide real file system.
  static FileSystem& real();
};

// Finds an existing file in its folder whatever the case of its name: returns the path as
// it is spelled on disk, or the given path unchanged when nothing matches. Data copied
// from Windows carries names like ARTIKEL.DBF or Artikel.dbf.
std::string resolveCaseInsensitive(const std::string& path);

}  // namespace xbase
