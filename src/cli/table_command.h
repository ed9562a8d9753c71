#pragma once

#include <string>
#include <vector>

namespace cli {

// `artikimp-cli table info|dump|verify ...`: the engine's administrator commands.
// Returns the process exit status.
int runTableCommand(const std::vector<std::string>& args);

}  // namespace cli
