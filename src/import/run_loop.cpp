#include "import/run_loop.h"

#include "base/cp850.h"
#include "import/run_progress.h"
#include "import/run_state.h"
#include "ui/port.h"

namespace dnorm {

void forEachLine(const std::function<bool(const std::string& line)>& handle,
                 const std::string& closingMessage) {
  RunState& run = runState();
  ui::Port& port = ui::port();
  do {
    port.pumpEvents();
    if (run.view && run.view->takeAbortRequest()) VALIDNORMIMPORT();
    if (run.aborted) return;
    run.currentLine = base::ansiFromOem(run.reader.currentLine());
    showNumber(ctl::kProcessed, ++run.processed);
    if (!handle(run.currentLine)) break;
  } while (run.reader.advance());

  if (run.view) run.view->stopTicks();
  refreshMeter();
  port.pumpEvents();
  port.information(runTitle(), closingMessage);
  run.running = false;
}

}  // namespace dnorm
