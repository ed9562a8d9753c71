#pragma once

#include <functional>
#include <utility>

namespace gui {

// The commands of the main window that other subsystems carry out. The program fills in
// those that exist; an empty entry does nothing.
struct CommandTable {
  // NORMIMPORT(kind): 0 article master file, 1 main product groups, 2 price maintenance,
  // 3 discount groups.
  std::function<void(int kind)> import;
  // NORMANZEIGE(kind), the table browser: 1 main product groups, 3 discount groups,
  // 4 error log, 5 error texts, 6 article protocol.
  std::function<void(int kind)> browse;
  // NORMLOESCHEN(kind), emptying imported data: 1, 3, 4 and 6 as above, 7 all of them.
  std::function<void(int kind)> erase;
  // REORG() of all own tables.
  std::function<void()> reorganise;
  // TESTSTRUKTUR(), the structure check and repair.
  std::function<void()> checkStructure;
};

// Runs a command of the table if it is there.
template <class Function, class... Args>
void runCommand(const std::function<Function>& command, Args&&... args) {
  if (command) command(std::forward<Args>(args)...);
}

}  // namespace gui
