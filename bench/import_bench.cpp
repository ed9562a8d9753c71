// Throughput and memory of the Datanorm import on generated files (tools/datanorm_gen.py).
//
//   import_bench [--articles N] [--changes N] [--prices N] [--dir DIR]
//
// Builds a program directory with the own tables and an empty merchandise folder, with
// setting 2 (all article indexes) on and ARTIKEL opened shared, then runs in one process:
//   groups    the 20 discount groups the articles name
//   articles  an article master file of N articles (about 3 N lines)
//   changes   N change records (code "A") against those articles
//   prices    N price blocks (three per record) against those articles
// For each: wall time, lines per second, and the resident memory when the run had read 10 %
// of its lines and at its end. Files and tables are left in DIR (default: a folder in /tmp).
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/ini_file.h"
#include "import/empty_merchandise.h"
#include "import/error_texts.h"
#include "import/import_run.h"
#include "import/run_state.h"
#include "settings/cache.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/reorg.h"
#include "ui/port.h"
#include "xbase/table.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Processor seconds (user + system) used so far; on a shared machine steadier than wall time.
double cpuSeconds() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return secs(ru.ru_utime) + secs(ru.ru_stime);
}

long peakKiB() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

// A progress view that counts nothing and shows nothing.
class QuietView final : public ui::ProgressView {
 public:
  void setText(int, const std::string&) override {}
  void setVisible(int, bool) override {}
  void setMeterTotal(int, long) override {}
  void setMeterPosition(int, long) override {}
  void startTicks(std::function<void()> onTick) override { m_onTick = std::move(onTick); }
  void stopTicks() override { m_onTick = nullptr; }
  bool takeAbortRequest() override { return false; }
  void close() override {}
  std::function<void()> m_onTick;
};

// The port of an unattended run: the file is given, questions get their default button,
// messages go to stderr, the one-second ticks come from the wall clock, and the resident
// memory is sampled once the run has read a tenth of its lines.
class BenchPort final : public ui::Port {
 public:
  fs::path file;
  long sampleAtLine = 0;
  long sampledKiB = 0;

  void showMessage(ui::MessageKind, const std::string& title, const std::string& text) override {
    if (++m_messages <= 5) {
      std::fprintf(stderr, "  [%s] %s\n", base::utf8FromAnsi(title).c_str(),
                   base::utf8FromAnsi(text).c_str());
    }
  }
  ui::Answer ask(ui::Buttons, ui::Answer defaultAnswer, const std::string&,
                 const std::string&) override {
    return defaultAnswer;
  }
  void showWaitMessage(const std::string&) override {}
  void endWaitMessage() override {}
  void pumpEvents() override {
    if (sampleAtLine && dnorm::runState().processed >= sampleAtLine) {
      sampledKiB = residentKiB();
      sampleAtLine = 0;
    }
    if (m_view && m_view->m_onTick && Clock::now() - m_lastTick >= std::chrono::seconds(1)) {
      m_lastTick = Clock::now();
      m_view->m_onTick();
    }
  }
  void setWaitCursor(bool) override {}
  std::optional<fs::path> chooseFile(const std::string&, const fs::path&,
                                     const std::vector<ui::FileFilter>&) override {
    return file;
  }
  std::optional<fs::path> chooseFolder(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  std::unique_ptr<ui::ProgressView> openProgress(const std::string&, const std::string&) override {
    auto view = std::make_unique<QuietView>();
    m_view = view.get();
    return view;
  }
  std::unique_ptr<ui::LockView> openLockDialog(const std::string&, const std::string&) override {
    return nullptr;
  }

 private:
  int m_messages = 0;
  QuietView* m_view = nullptr;
  Clock::time_point m_lastTick = Clock::now();
};

fs::path sourceDir() {
  return fs::path(__FILE__).parent_path().parent_path();
}

void generate(const std::string& kind, long count, const fs::path& file) {
  std::string command = "python3 " + (sourceDir() / "tools/datanorm_gen.py").string() + " " + kind +
                        " " + std::to_string(count) + " " + file.string();
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "generator failed: %s\n", command.c_str());
    std::exit(1);
  }
}

void prepare(const fs::path& dir) {
  fs::path home = dir / "home";
  fs::path lgw = dir / "lgw";
  fs::remove_all(home);
  fs::remove_all(lgw);
  fs::create_directories(home);
  fs::create_directories(lgw);
  app::setupPaths(home, "");
  xbase::Table::setHideDeleted(true);
  tables::SETCOMMIT(false);
  std::vector<std::string> created;
  tables::DB_DATEI(&created);
  if (!tables::REORG(created) ||
      !dnorm::fillErrorTexts(sourceDir() / "resources/error_texts.csv")) {
    std::fprintf(stderr, "cannot prepare the own tables\n");
    std::exit(1);
  }
  tables::closeAll();
  if (auto st = dnorm::createEmptyMerchandiseFolder(lgw); !st.isOk()) {
    std::fprintf(stderr, "%s\n", st.toString().c_str());
    std::exit(1);
  }
  base::writeProfileString(app::INIGLOBAL(), "Voreinstellungen", "Pfad", lgw.string() + "/");
  base::writeProfileString(app::INIGLOBAL(), "Voreinstellungen", "Index", "J");
  settings::GETVORFELD(0, true);
}

void measure(BenchPort& port, const char* name, int kind, const fs::path& file) {
  long lines = 0;
  {
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) ++lines;
  }
  port.file = file;
  port.sampleAtLine = lines / 10;
  port.sampledKiB = 0;
  auto start = Clock::now();
  double cpuStart = cpuSeconds();
  bool ran = dnorm::NORMIMPORT(kind);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  double cpu = cpuSeconds() - cpuStart;
  const dnorm::RunState& run = dnorm::runState();
  std::printf(
      "%-9s %9ld lines %8.2f s (cpu %.2f s) %9.0f lines/s  errors %ld  RSS at 10%%: %ld KiB, at "
      "end: "
      "%ld KiB, peak %ld KiB%s\n",
      name, run.processed, seconds, cpu, run.processed / seconds, run.errors, port.sampledKiB,
      residentKiB(), peakKiB(), ran ? "" : "  (NOT RUN)");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  long articles = 100000, changes = 0, prices = 0;
  fs::path dir = fs::temp_directory_path() / "import_bench";
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--articles")
      articles = std::atol(argv[i + 1]);
    else if (option == "--changes")
      changes = std::atol(argv[i + 1]);
    else if (option == "--prices")
      prices = std::atol(argv[i + 1]);
    else if (option == "--dir")
      dir = argv[i + 1];
  }
  fs::create_directories(dir);
  BenchPort port;
  ui::PortScope scope(port);
  prepare(dir);
  generate("groups", 0, dir / "DATANORM.RAB");
  generate("articles", articles, dir / "DATANORM.001");
  if (changes) generate("changes", changes, dir / "DATANORM.002");
  if (prices) generate("prices", prices, dir / "DATPREIS.001");
  std::printf("import_bench: %ld articles, %ld changes, %ld price blocks in %s\n", articles,
              changes, prices, dir.c_str());
  measure(port, "groups", 3, dir / "DATANORM.RAB");
  measure(port, "articles", 0, dir / "DATANORM.001");
  if (changes) measure(port, "changes", 0, dir / "DATANORM.002");
  if (prices) measure(port, "prices", 2, dir / "DATPREIS.001");
  tables::closeAll();
  return 0;
}
