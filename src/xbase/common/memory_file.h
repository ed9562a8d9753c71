#pragma once

#include <memory>
#include <string>

#include "xbase/common/file.h"

namespace xbase {

// A File held in memory: for fuzzing decoders and for tests that must not touch the disk.
// Locks always succeed (one owner).
class MemoryFile final : public File {
 public:
  MemoryFile(std::string path, std::string bytes = {});
  Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override;
  Status writeAt(uint64_t offset, const void* buf, size_t n) override;
  Status size(uint64_t* out) override;
  Status truncate(uint64_t size) override;
  Status sync() override { return Status::ok(); }
  Status lockRange(uint64_t, uint64_t, LockType) override { return Status::ok(); }
  Status unlockRange(uint64_t, uint64_t) override { return Status::ok(); }
  const std::string& path() const override { return m_path; }
  const std::string& bytes() const { return m_bytes; }

 private:
  std::string m_path;
  std::string m_bytes;
};

}  // namespace xbase
