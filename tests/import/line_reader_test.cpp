#include "import/line_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "support/test_support.h"

namespace {

using dnorm::LineReader;

// Every record the reader delivers, from the first line to the end.
std::vector<std::string> records(LineReader& reader) {
  std::vector<std::string> out{reader.currentLine()};
  while (reader.advance()) out.push_back(reader.currentLine());
  return out;
}

// What the reader delivers of a line terminated by CR LF: the line when the pair ends within
// the first 1024 bytes, otherwise its first 1024 bytes, where a CR on byte 1024 stays.
std::string asRead(const std::string& line) {
  return line.size() + 2 <= 1024 ? line : (line + "\r").substr(0, 1024);
}

struct ReadCase {
  const char* what;
  std::string bytes;
  uint64_t lineCount;
  std::vector<std::string> records;
};

TEST(LineReaderTest, OnlyCrLfEndsALine) {
  const std::string longLine(1500, 'x');
  std::string crAt1024(1023, 'y');
  crAt1024 += '\r';
  const ReadCase cases[] = {
      {"three terminated lines", "V1\r\nA2\r\nA3\r\n", 3, {"V1", "A2", "A3", ""}},
      {"last line unterminated", "V1\r\nA2\r\nA3", 2, {"V1", "A2", "A3"}},
      {"lone LF and CR inside", "V\r\nA;N;1\n2;x\r;\r\n", 2, {"V", "A;N;1\n2;x\r;", ""}},
      {"LF-only file is one line", "V\nA\nB\n", 0, {"V\nA\nB\n"}},
      {"CR CR LF", "V\r\r\nA", 1, {"V\r", "A"}},
      {"empty file", "", 0, {""}},
      {"1500 characters",
       "V\r\n" + longLine + "\r\nA\r\n",
       3,
       {"V", longLine.substr(0, 1024), "A", ""}},
      // The pair does not fit into the 1024 bytes: the CR stays in the text.
      {"CR on byte 1024", "V\r\n" + crAt1024 + "\nA", 2, {"V", crAt1024, "A"}},
      {"LF on byte 1024",
       "V\r\n" + std::string(1022, 'y') + "\r\nA",
       2,
       {"V", std::string(1022, 'y'), "A"}},
  };
  testsupport::TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::writeFile(dir / "f", c.bytes);
    LineReader reader;
    ASSERT_TRUE(reader.open((dir / "f").string()));
    EXPECT_EQ(reader.lineCount(), c.lineCount);
    EXPECT_EQ(records(reader), c.records);
    EXPECT_FALSE(reader.advance());
    // Going to the top reads the same again.
    reader.goTop();
    EXPECT_EQ(records(reader), c.records);
  }
}

// With the smallest block the reader uses, the first pair is placed across the first block
// border and the second across the second border of the counting pass (and near them):
// the search and the count must find each pair exactly once.
TEST(LineReaderTest, PairsStraddlingBlocksAreFound) {
  testsupport::TempDir dir;
  for (size_t cr = 1018; cr <= 1028; ++cr) {
    for (size_t secondCr = 2045; secondCr <= 2050; ++secondCr) {
      std::string first(cr, 'a');
      std::string second(secondCr - cr - 2, 'b');
      testsupport::writeFile(dir / "f", first + "\r\n" + second + "\r\nc");
      LineReader reader(0);  // raised to the 1024-byte minimum
      ASSERT_TRUE(reader.open((dir / "f").string()));
      EXPECT_EQ(reader.lineCount(), 2u) << cr << " " << secondCr;
      std::vector<std::string> got = records(reader);
      ASSERT_EQ(got.size(), 3u) << cr << " " << secondCr;
      EXPECT_EQ(got[0], asRead(first)) << cr;
      EXPECT_EQ(got[1], asRead(second)) << cr << " " << secondCr;
      EXPECT_EQ(got[2], "c");
    }
  }
}

TEST(LineReaderTest, MissingFileIsEmptyLockedFileFails) {
  testsupport::TempDir dir;
  LineReader reader;
  ASSERT_TRUE(reader.open((dir / "missing").string()));
  EXPECT_EQ(reader.lineCount(), 0u);
  EXPECT_EQ(reader.currentLine(), "");
  EXPECT_FALSE(reader.advance());

  testsupport::writeFile(dir / "held", "V\r\n");
  int fd = ::open((dir / "held").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_FALSE(reader.open((dir / "held").string()));
  ::close(fd);
  EXPECT_TRUE(reader.open((dir / "held").string()));
}

}  // namespace
