#include "tables/reorg.h"

#include "base/cp1252.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/own_files.h"
#include "ui/port.h"

namespace tables {

namespace {

// Controls of the progress dialog LAUFBALKEN.
constexpr int kTableText = 110;
constexpr int kIndexText = 120;
constexpr int kBar = 300;
constexpr long kInitialTotal = 100;

constexpr const char* kTitle = "Reorganisation";

void reportFailure(const std::string& name, const xbase::Status& st) {
  ui::port().stop(kTitle,
                  "Fehler bei der Reorganisation der Datei: " + name + ".DBF\r\n" + st.message());
}

bool reorganise(ui::ProgressView& view, const std::string& name, bool closeAll) {
  if (closeAll) tables::closeAll();
  if (!NETUSE(name, false)) {
    ui::port().stop(kTitle, base::ansi("Fehler beim Öffnen der Datei: ") + name +
                                ".dbf\r\nBreche Reorganisation ab");
    return false;
  }
  xbase::Table& table = *current();
  view.setText(kTableText, "Bitte warten... ");
  view.setText(kIndexText,
               base::ansi("Gelöscht markierte Sätze in ") + name + ".DBF werden entfernt.");
  uint32_t count = 0;
  xbase::Status st = table.pack();
  if (st.isOk()) st = table.recordCount(&count);
  if (st.isOk()) {
    view.setMeterTotal(kBar, count);
    view.setText(kTableText, name + ".DBF");
    view.setText(kIndexText, name + ".CDX");
    st = writeOwnIndex(table, name, [&view](uint32_t recno, uint32_t) {
      view.setMeterPosition(kBar, recno);
      ui::port().pumpEvents();
    });
  }
  // Every table is closed again once processed, whatever happened to it.
  table.clearIndexes();
  NETCLOSE(name);
  if (!st.isOk()) reportFailure(name, st);
  return st.isOk();
}

}  // namespace

bool REORG(const std::vector<std::string>& tables, bool closeAll) {
  std::unique_ptr<ui::ProgressView> view = ui::port().openProgress("LAUFBALKEN", kTitle);
  view->setText(kTableText, "");
  view->setText(kIndexText, "");
  view->setMeterTotal(kBar, kInitialTotal);
  view->setMeterPosition(kBar, 0);
  std::vector<std::string> names = tables.empty() ? GETDBFS() : tables;
  bool done = true;
  for (const std::string& name : names) {
    done = reorganise(*view, base::upperAnsi(name), closeAll);
    if (!done) break;
  }
  view->close();
  return done;
}

xbase::Status writeOwnIndex(xbase::Table& table, const std::string& name,
                            const xbase::KeyProgress& progress) {
  table.clearIndexes();
  std::string path = indexFile(name);
  xbase::FileSystem& fs = xbase::FileSystem::real();
  // A damaged old file is never read: it goes, and the new one starts from nothing.
  if (fs.exists(path)) fs.remove(path);
  xbase::Status st = table.createIndex(path, name, indexKey(name), {}, progress);
  if (!st.isOk()) {
    table.clearIndexes();
    if (fs.exists(path)) fs.remove(path);
  }
  return st;
}

}  // namespace tables
