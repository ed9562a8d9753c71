#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "cli/admin_commands.h"
#include "cli/table_command.h"

namespace {

void printHelp() {
  std::printf(
      "artikimp-cli %s\n"
      "Datanorm-Import auf der Kommandozeile.\n\n"
      "Aufruf: artikimp-cli [--version] [--help] COMMAND ...\n\n"
      "  table info FILE.dbf [INDEX.cdx ...]     Aufbau, Satzzahl und Indizes einer Tabelle\n"
      "  table dump FILE.dbf [--index INDEX.cdx --tag NAME] [--deleted] [--csv]\n"
      "                                          Sätze in Satz- oder Indexfolge ausgeben\n"
      "  table verify FILE.dbf INDEX.cdx ...     Indizes gegen die Sätze prüfen\n"
      "  init|reorg [TABELLE ...]|check [--home DIR] [--yes|--no] [--wait SEKUNDEN]\n"
      "                                          eigene Tabellen anlegen, reorganisieren, prüfen\n",
      app::MAINVERSION().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    printHelp();
    return 2;
  }
  if (args[0] == "--version") {
    std::printf("QMT Datanorm %s vom %s\n", app::MAINVERSION().c_str(), app::buildDate().c_str());
    return 0;
  }
  if (args[0] == "--help") {
    printHelp();
    return 0;
  }
  if (args[0] == "table") return cli::runTableCommand({args.begin() + 1, args.end()});
  if (cli::isAdminCommand(args[0])) return cli::runAdminCommand(args);
  std::fprintf(stderr, "Unbekannter Befehl: %s\n", args[0].c_str());
  printHelp();
  return 2;
}
