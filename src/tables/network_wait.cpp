#include "tables/network_wait.h"

#include "base/clock.h"
#include "ui/port.h"

namespace tables {

namespace {

constexpr double kSilentSeconds = 3;     // before the first question
constexpr double kBetweenQuestions = 5;  // from one question to the next
constexpr double kSecondsPerDay = 86400;

std::optional<double> g_waitLimit;

// The time of day, once the clock has moved past it: every retry comes at least one clock
// step after the previous one, and the user interface stays alive meanwhile.
double nextClockStep() {
  double noted = base::clock().secondsOfDay();
  while (base::clock().secondsOfDay() == noted) ui::port().pumpEvents();
  return noted;
}

}  // namespace

void setWaitLimit(std::optional<double> seconds) {
  g_waitLimit = seconds;
}
std::optional<double> waitLimit() {
  return g_waitLimit;
}

double elapsedSince(double start, double now) {
  double elapsed = now - start;
  return elapsed < 0 ? elapsed + kSecondsPerDay : elapsed;
}

bool NetworkWait::tryAgain() {
  double now = nextClockStep();
  if (m_firstFailure) {
    m_firstFailure = false;
    m_start = m_lastQuestion = now;
    return true;
  }
  double elapsed = elapsedSince(m_start, now);
  if (g_waitLimit && elapsed >= *g_waitLimit) return false;
  if (m_lastQuestion == m_start) {
    if (elapsed < kSilentSeconds) return true;
  } else if (elapsed < elapsedSince(m_start, m_lastQuestion) + kBetweenQuestions) {
    return true;
  }
  m_lastQuestion = base::clock().secondsOfDay();
  std::string question = m_text.empty() ? "Warten ?" : m_text + "\rWarten ?";
  return ui::port().question("Netzwerksperre", question);
}

}  // namespace tables
