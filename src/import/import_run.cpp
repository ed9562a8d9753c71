#include "import/import_run.h"

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/cp850.h"
#include "import/article_file.h"
#include "import/currency.h"
#include "import/deletion.h"
#include "import/group_import.h"
#include "import/import_tables.h"
#include "import/price_maintenance.h"
#include "import/run_progress.h"
#include "import/run_state.h"
#include "import/settings_access.h"
#include "ui/port.h"
#include "util/files.h"
#include "util/text_helpers.h"

namespace dnorm {

namespace {

// Per kind: the file dialog's title and pattern, the record loop.
struct KindInfo {
  const char* dialogTitle;
  const char* description;
  const char* pattern;
  bool (*loop)();
};

const KindInfo kKinds[] = {
    {"Datanorm Datei auswählen", "Datanorm-Dateien", "Datanorm.*", STARTNORMIMPORT},
    {"Datanorm Warengruppen Datei auswählen", "Datanorm-Warengruppen", "Dat*.wrg", STARTWARENLESEN},
    {"Datanorm Preispflege Datei auswählen", "Datanorm-Preispflege", "Datpreis.*", STARTPREISLESEN},
    {"Datanorm Rabattsatz Datei auswählen", "Datanorm-Rabattsätze", "Dat*.rab", STARTRABATTLESEN},
};

bool anyPriceOption() {
  for (int n : {setting::kGrossAsPurchase, setting::kGrossAsNet, setting::kNetAsPurchase,
                setting::kNetAsNet, setting::kGrossAsGross, setting::kNetAsGross}) {
    if (settingOn(n)) return true;
  }
  return false;
}

// The file the user picks; nothing when the dialog is cancelled.
std::optional<std::filesystem::path> chooseImportFile(const KindInfo& info) {
  std::vector<ui::FileFilter> filters{
      {base::ansi(info.description) + " (" + info.pattern + ")", info.pattern},
      {"Alle Dateien (*.*)", "*"}};
  return ui::port().chooseFile(base::ansi(info.dialogTitle), app::MAINPFAD(), filters);
}

// Import factor and article currency: prices stay in the file's currency when setting 9
// says so or when it is the main currency; otherwise they are converted into the main one.
void fixCurrency(RunState& run) {
  constexpr int kSupplierCurrency = 1;
  WGINIT();
  std::string main = WGHAUPT();
  if (settingChoice(setting::kCurrency) == kSupplierCurrency || main == run.header.currency) {
    run.importFactor = 1;
    run.articleCurrency = run.header.currency;
  } else {
    run.importFactor = WGWERTROUND(1, run.header.currency, main);
    run.articleCurrency = main;
  }
}

void resetCounters(RunState& run, const std::string& file) {
  run.fileName = file;
  run.elapsed = run.processed = run.errors = 0;
  run.total = static_cast<long>(run.reader.lineCount()) + 1;
  run.records = {};
  run.aborted = run.running = false;
}

void showStart(RunState& run, RunKind kind) {
  ui::ProgressView& view = *run.view;
  view.setText(ctl::kDate, run.header.date ? base::formatDate(*run.header.date) : std::string());
  view.setText(ctl::kVersion, run.header.version);
  view.setText(ctl::kCurrency, run.header.currency);
  view.setText(ctl::kSupplier, run.header.supplier);
  view.setText(ctl::kElapsed, util::secondsToTime(0));
  showNumber(ctl::kProcessed, run.processed);
  showNumber(ctl::kErrors, run.errors);
  showNumber(ctl::kTotal, run.total);
  view.setMeterTotal(ctl::kMeter, run.total);
  refreshMeter();
  for (int i = 0; i < static_cast<int>(run.records.size()); ++i) {
    showNumber(ctl::kFirstCountLabel + 1 + 2 * i, 0);
  }
  INITNORMIMPORT(kind);
}

// Closes the file and the merchandise tables after a refusal with a warning.
bool refuse(RunState& run, const std::string& text) {
  run.reader.close();
  ui::port().alert(runTitle(), text);
  LGWCLOSE();
  return false;
}

// The settings and the merchandise files the kind needs, then the tables.
bool prepareTables(RunKind kind) {
  if (kind == RunKind::kPrices && !anyPriceOption()) {
    ui::port().information("Preispflege",
                           base::ansi("Für das Einlesen der Preise muss eine Option angegeben "
                                      "sein, wie diese Preise gespeichert werden sollen"));
    return false;
  }
  if (!util::TESTDATEI(GETLGWPFAD(), requiredMerchandiseFiles(settingOn(setting::kAllIndexes)),
                       "QMT Warenwirtschaft-Dateien")) {
    return false;
  }
  return DBFOPEN() && LGWOPEN();
}

// Opens the chosen file and reads its header record; the reader then stands on the line
// after the header. Refusals are shown and close the merchandise tables.
bool openFile(RunState& run, const std::filesystem::path& file) {
  ui::Port& port = ui::port();
  port.setWaitCursor(true);
  bool opened = run.reader.open(file.string());
  port.setWaitCursor(false);
  if (!opened) {
    port.information(runTitle(), "Datei: " + base::ansi(file.string()) +
                                     base::ansi(" konnte nicht geöffnet werden"));
    LGWCLOSE();
    return false;
  }
  resetCounters(run, file.string());
  run.currentLine = base::ansiFromOem(run.reader.currentLine());
  if (run.currentLine.empty() || run.currentLine[0] != 'V') {
    return refuse(run, "Vorlaufsatz fehlt\r\nBeende Datanorm Import");
  }
  run.header = parseHeader(run.currentLine);
  run.processed = 1;
  if (!run.reader.advance()) return refuse(run, "Kein weiterer Datensatz vorhanden");
  return true;
}

// The record loop of the kind inside the progress dialog, with the one-second ticks.
void runInDialog(RunState& run, RunKind kind, bool (*loop)()) {
  run.view = ui::port().openProgress("DATEN_EINLESEN", "DATEN_EINLESEN");
  showStart(run, kind);
  run.running = true;
  run.view->startTicks(ZEITSETZEN);
  loop();
  run.view->stopTicks();
  run.view->close();
  run.view.reset();
}

}  // namespace

bool NORMIMPORT(int kindNumber) {
  if (kindNumber < 0 || kindNumber > 3) return false;
  auto kind = static_cast<RunKind>(kindNumber);
  const KindInfo& info = kKinds[kindNumber];
  if (!prepareTables(kind)) return false;
  std::optional<std::filesystem::path> file = chooseImportFile(info);
  if (!file) {
    LGWCLOSE();
    return false;
  }
  RunState& run = runState();
  run.kind = kind;
  if (!openFile(run, *file)) return false;

  if (kind == RunKind::kProductGroups) DBKONTROLLE("Dnormwgr");
  if (kind == RunKind::kDiscountGroups) DBKONTROLLE("Dnormrab");
  if (kind == RunKind::kArticles || kind == RunKind::kPrices) fixCurrency(run);
  runInDialog(run, kind, info.loop);
  run.reader.close();
  LGWCLOSE();
  return true;
}

}  // namespace dnorm
