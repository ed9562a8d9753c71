#pragma once

#include "cli/command_line.h"

namespace cli {

// `show TABLE [--csv]`: prints an own table as its browser shows it, with the columns of
// its display definition (one column per field for a table that has none), in index
// order, records marked deleted left out. Aligned columns, or comma-separated with --csv.
int runShowCommand(const CommandLine& line);

}  // namespace cli
