#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "ui/port.h"

namespace cli {

// The one-second timer of a progress view on a terminal, which has no event loop: each
// pump calls the tick action once when its second is due. A tick that falls due while an
// earlier one was not yet delivered is lost, as with a window timer.
class TickSource {
 public:
  void start(std::function<void()> onTick);
  void stop() { m_onTick = nullptr; }
  void pump();

 private:
  std::function<void()> m_onTick;
  std::chrono::steady_clock::time_point m_due;
};

// The progress view of the dialog `dialog` on a terminal. The import's dialog
// DATEN_EINLESEN shows lines processed and total, elapsed time, errors and the current
// article; others show their texts in id order. Drawn on stdout only when `draw`.
std::unique_ptr<ui::ProgressView> openTerminalProgress(const std::string& dialog, bool draw,
                                                       std::shared_ptr<TickSource> ticks);

// Takes a drawn bar off the screen before other output; it comes back with its next update.
void clearProgressLine();

}  // namespace cli
