#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/terminal_port.h"

namespace cli {

// Exit statuses of every command.
constexpr int kOk = 0;      // the command did its job
constexpr int kFailed = 1;  // a precondition failed, the user declined or aborted, a table
                            // could not be opened
constexpr int kUsage = 2;   // the command line is wrong

// The options every command shares:
// [--home DIR] [--workstation NAME] [--yes | --no] [--wait SECONDS] [--json]
struct GlobalOptions {
  std::filesystem::path home;  // absolute; empty: $ARTIKIMP_HOME, else the program's folder
  std::string workstation;     // the desktop program's argument
  TerminalPort::Answers answers = TerminalPort::Answers::Ask;
  double waitSeconds = 30;  // bound of every wait for a blocked table or record
  bool json = false;
};

struct CommandLine {
  GlobalOptions options;
  std::string command;            // empty when none was given
  std::vector<std::string> args;  // the command's own arguments
  std::string problem;            // why the command line is wrong; empty when it is fine
};

// Splits the arguments (without the program name) into the global options, the command
// and its arguments. Global options may stand before or after the command; everything
// after the command "table" belongs to it. Relative paths are made absolute here, before
// start-up changes into the program directory.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Prints the problem and the short usage on stderr; returns kUsage.
int usageError(const std::string& problem);
// The full help text.
void printHelp();

// A path given on the command line, absolute against the directory the program was
// started in.
std::filesystem::path absolutePath(const std::string& argument);

}  // namespace cli
