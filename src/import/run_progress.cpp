#include "import/run_progress.h"

#include "base/cp1252.h"
#include "util/text_helpers.h"

namespace dnorm {

std::string runTitle() {
  return "Datanorm-Daten einlesen";
}

void showText(int id, const std::string& text) {
  if (auto& view = runState().view) view->setText(id, text);
}

void showNumber(int id, long value) {
  showText(id, std::to_string(value));
}

void countRecord(int i) {
  RunState& run = runState();
  showNumber(ctl::kFirstCountLabel + 1 + 2 * i, ++run.records[static_cast<size_t>(i)]);
}

void refreshMeter() {
  RunState& run = runState();
  if (run.view) run.view->setMeterPosition(ctl::kMeter, run.processed);
}

void INITNORMIMPORT(RunKind kind) {
  RunState& run = runState();
  showText(ctl::kLastErrorText, run.lastError);
  showText(ctl::kItem, run.currentArticle);
  if (kind == RunKind::kArticles || !run.view) return;
  // Counter label and item caption of the runs that count one record type.
  struct Labels {
    const char* count;
    const char* item;
  };
  static const Labels kLabels[] = {
      {"S", "Warengruppe"}, {"P", "Preisänderung"}, {"R", "Rabattgruppe"}};
  const Labels& labels = kLabels[static_cast<int>(kind) - 1];
  showText(ctl::kFirstCountLabel, labels.count);
  showText(ctl::kItemLabel, base::ansi(labels.item));
  for (int id = ctl::kFirstCountLabel + 2; id <= ctl::kFirstCountLabel + 11; ++id) {
    run.view->setVisible(id, false);
  }
}

void ZEITSETZEN() {
  RunState& run = runState();
  showText(ctl::kElapsed, util::secondsToTime(++run.elapsed));
  refreshMeter();
}

bool ABFRAGEABBRUCH() {
  return ui::port().question(runTitle(), "Import abbrechen?");
}

bool VALIDNORMIMPORT() {
  RunState& run = runState();
  if (!run.running) return true;
  if (!ABFRAGEABBRUCH()) return false;
  run.aborted = true;
  run.running = false;
  if (run.view) run.view->stopTicks();
  return true;
}

}  // namespace dnorm
