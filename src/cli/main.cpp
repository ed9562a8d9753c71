#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "cli/admin_commands.h"
#include "cli/command_line.h"
#include "cli/delete_command.h"
#include "cli/demo_command.h"
#include "cli/import_command.h"
#include "cli/settings_command.h"
#include "cli/show_command.h"
#include "cli/table_command.h"

int main(int argc, char** argv) {
  cli::CommandLine line = cli::parseCommandLine({argv + 1, argv + argc});
  if (!line.problem.empty()) return cli::usageError(line.problem);
  const std::string& command = line.command;
  if (command == "--version") {
    std::printf("QMT Datanorm %s vom %s\n", app::MAINVERSION().c_str(), app::buildDate().c_str());
    return cli::kOk;
  }
  if (command == "--help") {
    cli::printHelp();
    return cli::kOk;
  }
  if (command == "table") return cli::runTableCommand(line.args);
  if (cli::isAdminCommand(command)) return cli::runAdminCommand(line);
  if (command == "import") return cli::runImportCommand(line);
  if (command == "delete") return cli::runDeleteCommand(line);
  if (command == "show") return cli::runShowCommand(line);
  if (command == "settings") return cli::runSettingsCommand(line);
  if (command == "demo") return cli::runDemoCommand(line);
  return cli::usageError("Unbekannter Befehl: " + command);
}
