#pragma once

#include <optional>
#include <string>

namespace tables {

// What the shared-access layer does when another program blocks an open or an append: it
// retries silently for 3 seconds, then asks "Warten ?" (titled "Netzwerksperre"); each Yes
// buys 5 seconds counted from the moment the previous question appeared. Time is the time
// of day of base::clock(), so a wait across midnight goes on as it should.
class NetworkWait {
 public:
  // `text` leads the question ("<file> kann nicht geöffnet werden."); empty for none.
  explicit NetworkWait(std::string text) : m_text(std::move(text)) {}

  // Called after each failed attempt of one operation: true to try again, false to give up.
  // Pumps events until the clock has moved on, so retries are paced by the clock's step.
  bool tryAgain();

 private:
  std::string m_text;
  bool m_firstFailure = true;
  double m_start = 0;
  double m_lastQuestion = 0;
};

// Bounds every wait of the layer (blocked open, append or record lock): after this many
// seconds the wait gives up as if the user had declined to wait on. No bound by default.
void setWaitLimit(std::optional<double> seconds);
std::optional<double> waitLimit();

// Seconds from `start` to `now`, both times of day; a negative difference crossed midnight.
double elapsedSince(double start, double now);

}  // namespace tables
