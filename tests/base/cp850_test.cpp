#include "base/cp850.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

std::string iconvCp850ToCp1252(const std::string& bytes, int* exitCode) {
  auto r = testsupport::run({"/usr/bin/iconv", "-f", "CP850", "-t", "CP1252"}, bytes);
  *exitCode = r.exitCode;
  return r.out;
}

// Every byte that iconv can convert exactly must convert the same way here; iconv refuses
// the others, which must be exactly the best-fit rows below.
TEST(Cp850, AgreesWithIconvOnEveryExactByte) {
  std::string ascii;
  for (int b = 0; b < 0x80; ++b) ascii += static_cast<char>(b);
  int code = -1;
  EXPECT_EQ(iconvCp850ToCp1252(ascii, &code), ascii);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(base::ansiFromOem(ascii), ascii);

  int exact = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string converted = iconvCp850ToCp1252(std::string(1, static_cast<char>(b)), &code);
    if (code != 0) continue;
    ++exact;
    ASSERT_EQ(converted.size(), 1u) << std::hex << b;
    EXPECT_EQ(base::ansiFromOem(static_cast<unsigned char>(b)),
              static_cast<unsigned char>(converted[0]))
        << "CP850 byte 0x" << std::hex << b;
  }
  EXPECT_EQ(exact, 97);
}

TEST(Cp850, BestFitRowsFollowWindows) {
  struct Row {
    unsigned char oem;
    unsigned char ansi;
  };
  // clang-format off
  const Row rows[] = {
      // shades, single and double verticals, full block, square: broken bar
      {0xB0, 0xA6}, {0xB1, 0xA6}, {0xB2, 0xA6}, {0xB3, 0xA6}, {0xB4, 0xA6}, {0xB9, 0xA6},
      {0xBA, 0xA6}, {0xCC, 0xA6}, {0xDB, 0xA6}, {0xFE, 0xA6},
      // corners and crossings: plus
      {0xBB, '+'}, {0xBC, '+'}, {0xBF, '+'}, {0xC0, '+'}, {0xC3, '+'}, {0xC5, '+'},
      {0xC8, '+'}, {0xC9, '+'}, {0xCE, '+'}, {0xD9, '+'}, {0xDA, '+'},
      // horizontals and T pieces: minus
      {0xC1, '-'}, {0xC2, '-'}, {0xC4, '-'}, {0xCA, '-'}, {0xCB, '-'}, {0xCD, '-'},
      // lower and upper half block, dotless i, double low line
      {0xDC, '_'}, {0xDF, 0xAF}, {0xD5, 'i'}, {0xF2, '='},
  };
  // clang-format on
  ASSERT_EQ(std::size(rows), 31u);
  for (const Row& row : rows) {
    EXPECT_EQ(base::ansiFromOem(row.oem), row.ansi) << "CP850 byte 0x" << std::hex << int(row.oem);
    int code = 0;
    iconvCp850ToCp1252(std::string(1, static_cast<char>(row.oem)), &code);
    EXPECT_NE(code, 0) << "iconv converts 0x" << std::hex << int(row.oem) << " exactly";
  }
}

TEST(Cp850, ConvertsALineByteForByte) {
  // "Größe: 5 µm" in CP850, with a zero byte inside
  std::string oem(
      "Gr\x94\xE1"
      "e:\0 5 \xE6m",
      11);
  std::string expected(
      "Gr\xF6\xDF"
      "e:\0 5 \xB5m",
      11);
  EXPECT_EQ(base::ansiFromOem(oem), expected);
}

}  // namespace
