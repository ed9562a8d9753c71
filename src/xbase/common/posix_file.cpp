#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "xbase/common/file.h"

namespace xbase {

Status File::readExact(uint64_t offset, void* buf, size_t n) {
  size_t got = 0;
  XBASE_RETURN_IF_ERROR(readAt(offset, buf, n, &got));
  if (got != n)
    return Status::corruption(path() + ": file too short (needed " + std::to_string(n) +
                              " bytes at offset " + std::to_string(offset) + ")");
  return Status::ok();
}

namespace {

Status sysError(const std::string& what, const std::string& path, int err = errno) {
  return Status::ioError(path + ": " + what + ": " + std::strerror(err), err);
}

class PosixFile final : public File {
 public:
  PosixFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
  ~PosixFile() override { ::close(m_fd); }

  Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override {
    size_t done = 0;
    auto* p = static_cast<char*>(buf);
    while (done < n) {
      ssize_t r = ::pread(m_fd, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        return sysError("read", m_path);
      }
      if (r == 0) break;
      done += static_cast<size_t>(r);
    }
    *got = done;
    return Status::ok();
  }

  Status writeAt(uint64_t offset, const void* buf, size_t n) override {
    size_t done = 0;
    const auto* p = static_cast<const char*>(buf);
    while (done < n) {
      ssize_t r = ::pwrite(m_fd, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        return sysError("write", m_path);
      }
      done += static_cast<size_t>(r);
    }
    return Status::ok();
  }

  // Through lseek, not fstat: asking for a file's times makes Linux stamp the next write
  // with a fine-grained time, an inode update for every record of a shared append. Reads
  // and writes name their offsets, so moving the file position does no harm.
  Status size(uint64_t* out) override {
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    if (end < 0) return sysError("size", m_path);
    *out = static_cast<uint64_t>(end);
    return Status::ok();
  }

  Status truncate(uint64_t size) override {
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) return sysError("truncate", m_path);
    return Status::ok();
  }

  Status sync() override {
    if (::fdatasync(m_fd) != 0) return sysError("sync", m_path);
    return Status::ok();
  }

  Status lockRange(uint64_t offset, uint64_t length, LockType type) override {
    return setLock(offset, length, type == LockType::Read ? F_RDLCK : F_WRLCK);
  }

  Status unlockRange(uint64_t offset, uint64_t length) override {
    return setLock(offset, length, F_UNLCK);
  }

  const std::string& path() const override { return m_path; }

 private:
  // Open-file-description locks: they belong to this open file, not to the process, so an
  // unrelated open/close of the same file elsewhere in the process cannot drop them.
  Status setLock(uint64_t offset, uint64_t length, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;
    if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0) return Status::ok();
    if (errno == EAGAIN || errno == EACCES)
      return Status::locked(m_path + ": bytes " + std::to_string(offset) + " are locked");
    return sysError("lock", m_path);
  }

  int m_fd;
  std::string m_path;
};

// Opens without access-time updates where the file's owner allows it. Tables are read right
// after they are written, so with relatime every read of a shared table's counters would
// write the inode's access time; nobody relies on the access time of a data file. Files of
// other owners (and file systems that refuse the flag) are opened as usual.
int openNoAtime(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags | O_NOATIME, 0666);
  if (fd < 0 && errno == EPERM) fd = ::open(path.c_str(), flags, 0666);
  return fd;
}

class RealFileSystem final : public FileSystem {
 public:
  Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override {
    std::string real = resolveCaseInsensitive(path);
    int fd = openNoAtime(real, (mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) return Status::notFound(path + ": file not found");
      return sysError("open", path);
    }
    // Shared and exclusive opens are emulated with flock, as xBase runtimes on Linux do.
    int how = (mode == OpenMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    if (::flock(fd, how) != 0) {
      int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK) return Status::locked(path + ": file is in use by another program");
      return sysError("flock", path, err);
    }
    *out = std::make_unique<PosixFile>(fd, real);
    return Status::ok();
  }

  Status create(const std::string& path, std::unique_ptr<File>* out) override {
    std::string real = resolveCaseInsensitive(path);
    int fd = openNoAtime(real, O_RDWR | O_CREAT | O_CLOEXEC);
    if (fd < 0) return sysError("create", path);
    // Lock first, truncate only once the lock is granted.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK) return Status::locked(path + ": file is in use by another program");
      return sysError("flock", path, err);
    }
    if (::ftruncate(fd, 0) != 0) {
      int err = errno;
      ::close(fd);
      return sysError("truncate", path, err);
    }
    *out = std::make_unique<PosixFile>(fd, real);
    return Status::ok();
  }

  bool exists(const std::string& path) override {
    struct stat st;
    return ::stat(resolveCaseInsensitive(path).c_str(), &st) == 0;
  }

  Status remove(const std::string& path) override {
    if (::unlink(resolveCaseInsensitive(path).c_str()) != 0) return sysError("remove", path);
    return Status::ok();
  }

  Status rename(const std::string& from, const std::string& to) override {
    if (::rename(resolveCaseInsensitive(from).c_str(), resolveCaseInsensitive(to).c_str()) != 0)
      return sysError("rename", from);
    return Status::ok();
  }
};

}  // namespace

FileSystem& FileSystem::real() {
  static RealFileSystem fs;
  return fs;
}

std::string resolveCaseInsensitive(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return path;
  auto slash = path.find_last_of('/');
  std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return path;
  std::string realDir = dir;
  if (::stat(dir.c_str(), &st) != 0 && dir != "." && dir != "/") {
    realDir = resolveCaseInsensitive(dir);
  }
  DIR* d = ::opendir(realDir.c_str());
  if (!d) return path;
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  if (found.empty()) {
    if (realDir == dir) return path;
    return (slash == std::string::npos ? name : realDir + "/" + name);
  }
  return slash == std::string::npos ? found : (realDir == "/" ? "/" + found : realDir + "/" + found);
}

}  // namespace xbase
