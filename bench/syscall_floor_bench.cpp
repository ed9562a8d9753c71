// The fastest a shared append with a record lock per record can be on this machine: the
// system calls that shared_append_bench makes for one record, and nothing else.
//
//   syscall_floor_bench [--records N] [--indexes N] [--dir DIR]
//
// Per record, on a table file: header lock, header read, size, blank record, header count,
// record lock, header unlock, filled record, record unlock (9 calls); per index file: index
// lock, change-counter read, one page, free-list head and counter, index unlock (5 calls).
// Compare its records/s with shared_append_bench to see what the table and index code cost
// on top of the kernel's work.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Open-file-description lock of one byte, as the engine takes them.
void lockByte(int fd, off_t offset, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = offset;
  lock.l_len = 1;
  if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    std::perror("fcntl");
    std::exit(1);
  }
}

void check(ssize_t done, size_t wanted, const char* what) {
  if (done != static_cast<ssize_t>(wanted)) {
    std::perror(what);
    std::exit(1);
  }
}

constexpr off_t kIndexLock = 0x7FFFFFFE;
constexpr off_t kHeaderLock = 0x40000000;
constexpr size_t kRecordLength = 485;
constexpr size_t kPage = 512;

}  // namespace

int main(int argc, char** argv) {
  uint32_t records = 50000, indexes = 9;
  std::string dir;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--records")) records = static_cast<uint32_t>(std::atol(argv[i + 1]));
    if (!std::strcmp(argv[i], "--indexes")) indexes = static_cast<uint32_t>(std::atol(argv[i + 1]));
    if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
  }
  const bool ownDir = dir.empty();
  if (ownDir) {
    char tmpl[] = "/tmp/syscall_floor_bench.XXXXXX";
    dir = mkdtemp(tmpl);
  }
  const int table = open((dir + "/t.dbf").c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOATIME, 0644);
  if (table < 0) {
    std::perror("table file");
    return 1;
  }
  std::vector<int> index;
  for (uint32_t i = 0; i < indexes; ++i) {
    index.push_back(open((dir + "/i" + std::to_string(i) + ".cdx").c_str(),
                         O_RDWR | O_CREAT | O_TRUNC | O_NOATIME, 0644));
    if (index.back() < 0 || ftruncate(index.back(), 1 << 20) != 0) {
      std::perror("index file");
      return 1;
    }
  }
  const off_t dataStart = 1024;
  const std::string headerBytes(dataStart, '\0');
  check(pwrite(table, headerBytes.data(), headerBytes.size(), 0), headerBytes.size(), "pwrite");
  const std::string record(kRecordLength + 1, ' ');
  const std::string page(kPage, '\x01');
  char header[8] = {};

  auto start = std::chrono::steady_clock::now();
  for (uint32_t r = 0; r < records; ++r) {
    const off_t at = dataStart + static_cast<off_t>(r) * kRecordLength;
    lockByte(table, kHeaderLock, F_WRLCK);
    check(pread(table, header, 4, 4), 4, "pread");
    lseek(table, 0, SEEK_END);
    check(pwrite(table, record.data(), kRecordLength + 1, at), kRecordLength + 1, "pwrite");
    check(pwrite(table, header, 7, 1), 7, "pwrite");
    lockByte(table, kHeaderLock + 1 + r, F_WRLCK);
    lockByte(table, kHeaderLock, F_UNLCK);
    check(pwrite(table, record.data(), kRecordLength, at), kRecordLength, "pwrite");
    for (int fd : index) {
      lockByte(fd, kIndexLock, F_WRLCK);
      check(pread(fd, header, 8, 4), 8, "pread");
    }
    for (size_t i = 0; i < index.size(); ++i) {
      const off_t pageAt = 1024 + static_cast<off_t>((r * 7 + i * 13) % 1000) * kPage;
      check(pwrite(index[i], page.data(), kPage, pageAt), kPage, "pwrite");
      check(pwrite(index[i], header, 8, 4), 8, "pwrite");
    }
    for (int fd : index) lockByte(fd, kIndexLock, F_UNLCK);
    lockByte(table, kHeaderLock + 1 + r, F_UNLCK);
  }
  const double s =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("system calls alone  %u records  %u index files  %.3f s  (%.0f records/s, %.1f us)\n",
              records, indexes, s, records / s, s * 1e6 / records);
  for (int fd : index) close(fd);
  close(table);
  if (ownDir) std::filesystem::remove_all(dir);
  return 0;
}
