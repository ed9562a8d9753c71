#include "cli/admin_commands.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/startup.h"
#include "base/cp1252.h"
#include "cli/terminal_port.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/reorg.h"
#include "tables/structure_check.h"
#include "tables/structure_compare.h"
#include "tables/table_startup.h"

namespace cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr double kDefaultWaitSeconds = 30;

struct Options {
  std::string command;
  std::string home;
  TerminalPort::Answers answers = TerminalPort::Answers::Ask;
  double waitSeconds = kDefaultWaitSeconds;
  std::vector<std::string> tables;  // reorg only
};

int usage(const std::string& problem) {
  std::cerr << problem << "\n"
            << "Aufruf:\n"
               "  artikimp-cli init  [--home DIR] [--yes|--no] [--wait SEKUNDEN]\n"
               "  artikimp-cli reorg [--home DIR] [--yes|--no] [--wait SEKUNDEN] [TABELLE ...]\n"
               "  artikimp-cli check [--home DIR] [--yes|--no] [--wait SEKUNDEN]\n";
  return kUsage;
}

std::optional<double> parseSeconds(const std::string& text) {
  char* end = nullptr;
  double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(seconds >= 0)) return std::nullopt;
  return seconds;
}

// Fills `options` from the arguments; an empty text when they are fine, else the problem.
std::string parse(const std::vector<std::string>& args, Options& options) {
  options.command = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasValue = i + 1 < args.size();
    if (a == "--home" && hasValue) {
      options.home = args[++i];
    } else if (a == "--yes" || a == "--no") {
      options.answers = a == "--yes" ? TerminalPort::Answers::AllYes : TerminalPort::Answers::AllNo;
    } else if (a == "--wait" && hasValue) {
      std::optional<double> seconds = parseSeconds(args[++i]);
      if (!seconds) return "Ungültige Wartezeit: " + args[i];
      options.waitSeconds = *seconds;
    } else if (a.starts_with("--") || options.command != "reorg") {
      return "Unbekanntes Argument: " + a;
    } else {
      options.tables.push_back(base::upperAnsi(base::ansi(a)));
    }
  }
  std::vector<std::string> known = tables::GETDBFS();
  for (const std::string& name : options.tables)
    if (std::find(known.begin(), known.end(), name) == known.end())
      return "Unbekannte Tabelle: " + base::utf8FromAnsi(name);
  return {};
}

// Start-up as the desktop program has it, without the window and without creating tables.
void startUp(const Options& options) {
  if (!options.home.empty()) ::setenv("ARTIKIMP_HOME", options.home.c_str(), 1);
  app::StartupHooks hooks;
  hooks.switchCommitOff = [] { tables::SETCOMMIT(false); };
  app::startUp("", hooks);
  tables::configureEngine();
  tables::setWaitLimit(options.waitSeconds);
}

int init() {
  bool ready = tables::checkOwnTables();
  // The default error texts of DNORMERT are filled in here once the import provides them.
  return ready ? kOk : kFailed;
}

int check() {
  if (!tables::TESTSTRUKTUR()) return kFailed;
  // Declined repairs, type differences and tables in use leave a table that still differs.
  for (const std::string& name : tables::GETDBFS())
    if (!tables::matchesCatalogue(name)) return kFailed;
  return kOk;
}

}  // namespace

bool isAdminCommand(const std::string& command) {
  return command == "init" || command == "reorg" || command == "check";
}

int runAdminCommand(const std::vector<std::string>& args) {
  Options options;
  if (std::string problem = parse(args, options); !problem.empty()) return usage(problem);
  std::error_code ec;
  if (!options.home.empty() && !std::filesystem::is_directory(options.home, ec)) {
    std::cerr << "Programmverzeichnis nicht gefunden: " << options.home << "\n";
    return kFailed;
  }
  TerminalPort port(options.answers);
  ui::PortScope scope(port);
  startUp(options);
  int status = kFailed;
  if (options.command == "init") status = init();
  if (options.command == "reorg") status = tables::REORG(options.tables) ? kOk : kFailed;
  if (options.command == "check") status = check();
  tables::closeAll();
  return status;
}

}  // namespace cli
