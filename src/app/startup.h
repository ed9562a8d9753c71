#pragma once

#include <functional>
#include <string_view>

namespace app {

// What start-up leaves to the layers above and beside it.
struct StartupHooks {
  // Builds and shows the main window (front end).
  std::function<void()> showMainWindow;
  // Checks the system's own tables, creates missing ones and reorganises them (table layer).
  std::function<void()> checkOwnTables;
  // Switches the table layer's commit-on-unlock off: SETCOMMIT(false). Until the table layer
  // exists there is nothing to switch.
  std::function<void()> switchCommitOff;
};

// Starts the program: at least 255 file handles, the program directory as current
// directory, the INI files and the local one for the workstation named by `argument`
// (setupPaths); then the main window, the own tables and commit-off through the hooks, in
// this order; last the settings cache is loaded from the global INI file.
// The user-interface port must be installed: a failed local INI file is reported on it.
void startUp(std::string_view argument, const StartupHooks& hooks);

}  // namespace app
