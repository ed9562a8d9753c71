#include "base/rounding.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Rounding, RoundsHalvesAwayFromZeroWhateverTheBinaryForm) {
  struct Case {
    double value;
    int decimals;
    double expected;
  };
  const Case cases[] = {
      {2.675, 2, 2.68},                        // held as 2.67499999...
      {-2.675, 2, -2.68},   {1.005, 2, 1.01},  // held as 1.00499999...
      {0.285 * 3, 2, 0.86},                    // 0.8549999999999999 for 0.855
      {1.1 * 3, 2, 3.3},    {119.0 / 1.19, 2, 100.0},
      {2.665, 2, 2.67},     {2.6749, 2, 2.67},
      {1234.5, 0, 1235},    {-0.5, 0, -1},
      {0.49999, 0, 0},      {0.0049, 2, 0},
      {12.3456, 3, 12.346}, {1250, -2, 1300},
      {1249.99, -2, 1200},  {99.995, 2, 100},
      {1e20, 2, 1e20},      {0, 2, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(base::roundCommercial(c.value, c.decimals), c.expected)
        << c.value << " to " << c.decimals << " decimals";
  }
  EXPECT_FALSE(std::signbit(base::roundCommercial(-0.001, 2)));  // no negative zero
  EXPECT_TRUE(std::isnan(base::roundCommercial(NAN, 2)));
}

TEST(Rounding, DivisionByZeroGivesZero) {
  EXPECT_EQ(base::divideOrZero(10, 0), 0);
  EXPECT_EQ(base::divideOrZero(10, 4), 2.5);
}

}  // namespace
