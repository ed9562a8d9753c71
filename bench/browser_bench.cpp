// Opening the error-log browser on a large log: time to the list's first paint, memory
// taken by the open browser, and scrolling towards the end.
//
//   browser_bench [--records N ...] [--dir DIR]
//
// Each log size (default 10000 and 1000000) is generated once into DIR/<N> (default
// /tmp/browser_bench) and measured in a child process of its own, so that its memory is its
// own. The browser runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/paths.h"
#include "gui/qt_port.h"
#include "gui/record_list_model.h"
#include "gui/table_browser.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/own_files.h"
#include "tables/reorg.h"
#include "ui/port.h"
#include "ui/scripted_port.h"
#include "xbase/lock_scheme.h"
#include "xbase/table.h"

namespace {

using Clock = std::chrono::steady_clock;

double millis(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Resident memory in KiB.
long residentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s failed\n", what);
  std::exit(1);
}

// A program directory whose error log holds `records` entries, one a second, each with its
// file, record number, article and message.
void generateLog(const std::filesystem::path& dir, long records) {
  std::filesystem::create_directories(dir);
  app::setupPaths(dir, "");
  if (std::filesystem::exists(tables::indexFile("DNORMERR"))) return;
  std::vector<std::string> names = {"DNORMERR"}, created;
  tables::DBANLEGEN(names, created);
  std::unique_ptr<xbase::Table> t;
  check(
      xbase::Table::open((dir / "DNORMERR.dbf").string(), {xbase::OpenMode::Exclusive}, &t).isOk(),
      "open");
  auto start = Clock::now();
  for (long n = 0; n < records; ++n) {
    check(t->append().isOk(), "append");
    char time[16], article[16];
    std::snprintf(time, sizeof time, "%02ld:%02ld:%02ld", n / 3600 % 24, n / 60 % 60, n % 60);
    std::snprintf(article, sizeof article, "%08ld", n * 7919 % 100000000);
    t->putDate(0, static_cast<int32_t>(2460000 + n / 86400));
    t->putString(1, time);
    t->putString(2, "DATANORM.001");
    t->putNumber(3, static_cast<double>(n + 1));
    t->putString(4, article);
    t->putString(5, "Warengruppe unbekannt");
    t->putNumber(6, 21);
  }
  check(t->close().isOk(), "close");
  check(tables::REORG(names), "index");
  std::printf("generated %ld entries in %.1f s\n", records, millis(start) / 1000);
}

// Opens the error-log browser and reports when its list has first been painted; then scrolls
// to the end of what is read `scrolls` times (each reads the next rows) and closes it.
void measure(const std::filesystem::path& dir, long records) {
  int argc = 1;
  char name[] = "browser_bench";
  char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  gui::QtPort port;
  ui::PortScope scope(port);
  app::setupPaths(dir, "");
  xbase::Table::setHideDeleted(true);
  xbase::setLockScheme(xbase::LockScheme::FoxPro);
  tables::SETSHARED(true);
  tables::SETCOMMIT(false);

  constexpr int kScrolls = 200;
  long before = residentKiB();
  auto start = Clock::now();
  double painted = 0;
  long afterPaint = 0;

  // The first paint of the list's viewport, seen by a filter on the whole application.
  struct FirstPaint : QObject {
    std::function<void(QWidget*)> onPaint;
    bool seen = false;
    bool eventFilter(QObject* object, QEvent* event) override {
      auto* widget = qobject_cast<QWidget*>(object);
      if (!seen && event->type() == QEvent::Paint && widget &&
          qobject_cast<QTableView*>(widget->parentWidget())) {
        seen = true;
        QTimer::singleShot(0, [this, widget] { onPaint(widget); });
      }
      return false;
    }
  } filter;
  filter.onPaint = [&](QWidget* viewport) {
    painted = millis(start);
    afterPaint = residentKiB();
    auto* list = qobject_cast<QTableView*>(viewport->parentWidget());
    auto scrollStart = Clock::now();
    for (int i = 0; i < kScrolls; ++i) {
      list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
      QApplication::processEvents();
    }
    double scrolled = millis(scrollStart);
    std::printf(
        "%9ld entries: first paint %6.1f ms, memory +%5ld KiB at first paint;"
        " %d scrolls to the end (%d rows read) %6.1f ms, +%5ld KiB\n",
        records, painted, afterPaint - before, kScrolls, list->model()->rowCount(), scrolled,
        residentKiB() - before);
    std::fflush(stdout);
    list->window()->close();
  };
  application.installEventFilter(&filter);
  gui::NORMANZEIGE(nullptr, 4);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes;
  std::filesystem::path base = "/tmp/browser_bench";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--records" && i + 1 < argc) sizes.push_back(std::atol(argv[++i]));
    if (arg == "--dir" && i + 1 < argc) base = argv[++i];
  }
  if (sizes.empty()) sizes = {10000, 1000000};
  for (long records : sizes) {
    std::filesystem::path dir = base / std::to_string(records);
    pid_t child = fork();
    if (child == 0) {
      ui::ScriptedPort quiet;
      ui::PortScope scope(quiet);
      generateLog(dir, records);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    child = fork();
    if (child == 0) {
      measure(dir, records);
      std::fflush(stdout);
      _exit(0);
    }
    waitpid(child, &status, 0);
  }
  return 0;
}
