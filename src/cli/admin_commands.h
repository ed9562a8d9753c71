#pragma once

#include <string>
#include <vector>

namespace cli {

// `artikimp-cli init|reorg [TABLE ...]|check [--home DIR] [--yes|--no] [--wait SECONDS]`:
// create and index missing own tables, reorganise them, check and repair their structures.
// `args[0]` is the command. Returns the exit status: 0 done, 1 failed or declined, 2 usage.
int runAdminCommand(const std::vector<std::string>& args);

// Whether `command` is one of those commands.
bool isAdminCommand(const std::string& command);

}  // namespace cli
