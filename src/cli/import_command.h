#pragma once

#include "cli/command_line.h"

namespace cli {

// `import [--kind K] FILE`: one import run of kind K (0 article master file, the default;
// 1 main product groups; 2 price maintenance; 3 discount groups) with FILE as the file the
// user picked. Ends with a summary on stdout, or with --json the run's report as a JSON
// object. Exit status 0 when the run went to its end (record errors included), 1 when a
// precondition failed or the run was aborted.
int runImportCommand(const CommandLine& line);

}  // namespace cli
