#pragma once

#include "cli/command_line.h"

namespace cli {

// `delete KIND`: empties the tables the imports fill, as the menu "Löschen" does: 1 main
// product groups, 3 discount groups, 4 error log, 6 article protocol, 7 all four. Exit
// status 1 when a table could not be opened exclusively; with --json a JSON object on
// stdout.
int runDeleteCommand(const CommandLine& line);

}  // namespace cli
