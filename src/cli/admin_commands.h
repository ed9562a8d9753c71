#pragma once

#include "cli/command_line.h"

namespace cli {

// `init`, `reorg [TABLE ...]` and `check`: create and index missing own tables (and fill
// an empty error-text table), reorganise them, check and repair their structures. With
// --json, reorg and check end with a JSON object on stdout. Returns the exit status.
int runAdminCommand(const CommandLine& line);

// Whether `command` is one of those commands.
bool isAdminCommand(const std::string& command);

}  // namespace cli
