#pragma once

#include <functional>

#include "gui/command_table.h"

class QWidget;

namespace gui {

// The command table of the desktop program: the core's imports, deletions, reorganisation
// and structure check, and the table browser. The browser opens over the window that
// `browserOwner` returns when the command runs (the main window, which is built after the
// table it is given).
CommandTable programCommands(std::function<QWidget*()> browserOwner);

}  // namespace gui
