#pragma once

#include "base/date.h"

namespace base {

// The system's one door to the time of day, so that waits, time stamps and "today" can be
// tested with a clock the test sets.
class Clock {
 public:
  virtual ~Clock() = default;
  // Local time of day in seconds since midnight, with millisecond resolution.
  virtual double secondsOfDay() = 0;
  // Today's local date.
  virtual Date today() = 0;
};

class SystemClock final : public Clock {
 public:
  double secondsOfDay() override;
  Date today() override;
};

// A clock that stands still unless told otherwise. Advancing past midnight starts the next
// day, so a wait across midnight can be tested.
class FakeClock final : public Clock {
 public:
  FakeClock(Date today, double secondsOfDay) : m_today(today), m_seconds(secondsOfDay) {}

  double secondsOfDay() override;
  Date today() override { return m_today; }

  void set(Date today, double secondsOfDay);
  void advance(double seconds);
  // Every reading of the time of day moves the clock on by this much afterwards, so that a
  // loop waiting for the clock to move ends.
  void setStepPerReading(double seconds) { m_step = seconds; }

 private:
  Date m_today;
  double m_seconds;
  double m_step = 0;
};

// The process-wide clock: the system clock unless a ClockScope installed another.
Clock& clock();

// Installs a clock for the scope's lifetime (tests), then restores the previous one.
class ClockScope {
 public:
  explicit ClockScope(Clock& clock);
  ~ClockScope();
  ClockScope(const ClockScope&) = delete;
  ClockScope& operator=(const ClockScope&) = delete;

 private:
  Clock* m_previous;
};

}  // namespace base
