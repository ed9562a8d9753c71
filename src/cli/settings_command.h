#pragma once

#include "cli/command_line.h"

namespace cli {

// `settings`: prints the 21 import settings, one a line: number, key and the value as
// ARTIKIMP.INI stores it, separated by tabs.
// `settings KEY VALUE`: sets one setting (KEY is its key, in any case, or its number;
// VALUE as ARTIKIMP.INI stores it: J or N, a number with a decimal point, a text) and
// saves all 21, as the settings dialog does on confirmation.
int runSettingsCommand(const CommandLine& line);

}  // namespace cli
