#pragma once

#include "cli/command_line.h"

namespace cli {

// `demo DIR [--articles N]`: writes a ready demo installation into DIR (which must be new or
// empty): DIR is its program directory, DIR/lgw/ its merchandise folder, and DIR/daten/
// holds the four Datanorm files to import, the article file with N articles (500 unless
// given). Prints where everything is and the commands that import the files in order.
int runDemoCommand(const CommandLine& line);

}  // namespace cli
