#include "base/clock.h"

#include <cmath>
#include <ctime>

namespace base {

namespace {

constexpr double kSecondsPerDay = 86400;

struct LocalNow {
  std::tm tm;
  int milliseconds;
};

LocalNow localNow() {
  auto now = std::chrono::system_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  LocalNow result{};
  localtime_r(&seconds, &result.tm);
  result.milliseconds = static_cast<int>(ms % 1000);
  return result;
}

Clock* g_current = nullptr;

}  // namespace

double SystemClock::secondsOfDay() {
  LocalNow now = localNow();
  return now.tm.tm_hour * 3600 + now.tm.tm_min * 60 + now.tm.tm_sec + now.milliseconds / 1000.0;
}

Date SystemClock::today() {
  LocalNow now = localNow();
  return std::chrono::year{now.tm.tm_year + 1900} / (now.tm.tm_mon + 1) / now.tm.tm_mday;
}

double FakeClock::secondsOfDay() {
  double now = m_seconds;
  advance(m_step);
  return now;
}

void FakeClock::set(Date today, double secondsOfDay) {
  m_today = today;
  m_seconds = secondsOfDay;
}

void FakeClock::advance(double seconds) {
  // Kept to whole milliseconds, like the system clock.
  m_seconds = std::round((m_seconds + seconds) * 1000) / 1000;
  while (m_seconds >= kSecondsPerDay) {
    m_seconds -= kSecondsPerDay;
    m_today += std::chrono::days{1};
  }
}

Clock& clock() {
  static SystemClock system;
  return g_current ? *g_current : system;
}

ClockScope::ClockScope(Clock& clock) : m_previous(g_current) {
  g_current = &clock;
}

ClockScope::~ClockScope() {
  g_current = m_previous;
}

}  // namespace base
