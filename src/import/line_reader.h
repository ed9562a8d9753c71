#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xbase/common/file.h"

namespace dnorm {

// Reads a Datanorm file line by line. Only the pair carriage return, line feed ends a line;
// a lone CR or LF is an ordinary character. A line is at most its first kLineLimit bytes
// (terminator included); the rest of a longer line is never read, and the next line still
// starts after its terminator. The file is read in blocks of a fixed size, so memory stays
// flat whatever the file's size.
class LineReader {
 public:
  static constexpr size_t kLineLimit = 1024;
  static constexpr size_t kDefaultBlockSize = 64 * 1024;

  // `blockSize` below kLineLimit is raised to it; `fs` null means the real file system.
  explicit LineReader(size_t blockSize = kDefaultBlockSize, xbase::FileSystem* fs = nullptr);

  // Opens the file for reading and counts its lines. A file that does not exist is an empty
  // input; false only when an existing file cannot be opened.
  bool open(const std::string& path);
  void close();

  // Number of CR LF pairs in the whole file, counted once by open().
  uint64_t lineCount() const { return m_lineCount; }
  uint64_t length() const { return m_length; }

  // The raw bytes of the line the reader stands on, without terminator; empty at the end
  // of the file. Does not move the reader.
  std::string currentLine();
  // Moves to the line after the next CR LF; false (the reader then stands at the end of the
  // file) when there is none.
  bool advance();
  void goTop() { m_pos = 0; }

 private:
  // Makes the window hold the file's bytes from `offset` on; false on a read error.
  bool load(uint64_t offset);
  // Offset of the CR of the first CR LF pair at or after `from` and before `limit`.
  bool findPair(uint64_t from, uint64_t limit, uint64_t* at);
  void countLines();

  size_t m_blockSize;
  xbase::FileSystem* m_fs;
  std::unique_ptr<xbase::File> m_file;
  uint64_t m_length = 0;
  uint64_t m_lineCount = 0;
  uint64_t m_pos = 0;
  std::vector<char> m_window;
  uint64_t m_windowStart = 0;
  size_t m_windowLength = 0;
};

}  // namespace dnorm
