#include "xbase/cdx/key_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "cdx_test_util.h"
#include "xbase/common/julian.h"

namespace {

using namespace xbase::cdx;

TEST(CdxKeyCodec, KnownEncodings) {
  struct Case {
    const char* what;
    std::string key;
    const char* hex;
  };
  const std::vector<Case> cases = {
      {"0.0", encodeNumberKey(0.0), "8000000000000000"},
      {"-0.0 normalised", encodeNumberKey(-0.0), "8000000000000000"},
      {"1.0", encodeNumberKey(1.0), "bff0000000000000"},
      {"12.5", encodeNumberKey(12.5), "c029000000000000"},
      {"21.0", encodeNumberKey(21.0), "c035000000000000"},
      {"-1.0", encodeNumberKey(-1.0), "400fffffffffffff"},
      {"-1.5", encodeNumberKey(-1.5), "4007ffffffffffff"},
      {"2000-01-01", encodeDateKey(xbase::julianFromYmd(2000, 1, 1)), "c142b42c80000000"},
      {"2024-05-17", encodeDateKey(xbase::julianFromYmd(2024, 5, 17)), "c142c59000000000"},
      {"1996-07-04", encodeDateKey(2450269), "c142b1ae80000000"},
      {"empty date", encodeDateKey(0), "8000000000000000"},
      {"integer -1", encodeIntegerKey(-1), "7fffffff"},
      {"integer 0", encodeIntegerKey(0), "80000000"},
      {"integer 1", encodeIntegerKey(1), "80000001"},
      {"integer 10248", encodeIntegerKey(10248), "80002808"},
  };
  for (const auto& c : cases) EXPECT_EQ(cdxtest::hex(c.key), c.hex) << c.what;
}

TEST(CdxKeyCodec, ByteOrderIsNumericOrder) {
  const std::vector<double> values = {-1e300, -2499.11, -6.43, -1.5, -1.0, -1e-300,   0.0,
                                      1e-300, 0.85,     1.0,   9.99, 21.0, 123456.78, 1e300};
  for (size_t i = 0; i + 1 < values.size(); ++i) {
    EXPECT_LT(encodeNumberKey(values[i]), encodeNumberKey(values[i + 1])) << values[i];
    EXPECT_EQ(decodeNumberKey(encodeNumberKey(values[i])), values[i]);
  }
  EXPECT_LT(encodeIntegerKey(-2147483647 - 1), encodeIntegerKey(-1));
  EXPECT_LT(encodeIntegerKey(-1), encodeIntegerKey(2147483647));
  EXPECT_FALSE(std::signbit(decodeNumberKey(encodeNumberKey(-0.0))));
}

}  // namespace
