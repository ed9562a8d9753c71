#include "base/clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace std::chrono;

TEST(Clock, FakeClockStepsAndCrossesMidnight) {
  base::FakeClock fake(year{2017} / 12 / 31, 86398.5);
  base::ClockScope scope(fake);
  fake.setStepPerReading(1.0);
  EXPECT_EQ(base::clock().secondsOfDay(), 86398.5);
  EXPECT_EQ(base::clock().today(), base::Date{year{2017} / 12 / 31});
  EXPECT_EQ(base::clock().secondsOfDay(), 86399.5);
  EXPECT_EQ(base::clock().today(), base::Date{year{2018} / 1 / 1});
  EXPECT_EQ(base::clock().secondsOfDay(), 0.5);
}

TEST(Clock, ScopeRestoresThePreviousClock) {
  base::Clock* before = &base::clock();
  {
    base::FakeClock fake(year{2017} / 1 / 1, 0);
    base::ClockScope scope(fake);
    EXPECT_EQ(&base::clock(), &fake);
  }
  EXPECT_EQ(&base::clock(), before);
}

TEST(Clock, SystemClockGivesTheTimeOfDayInMilliseconds) {
  base::SystemClock system;
  double seconds = system.secondsOfDay();
  EXPECT_GE(seconds, 0);
  EXPECT_LT(seconds, 86400);
  EXPECT_EQ(std::round(seconds * 1000) / 1000, seconds);
  EXPECT_GE(system.today(), base::Date{year{2017} / 1 / 1});
}

}  // namespace
