#pragma once

#include "cli/command_line.h"
#include "cli/terminal_port.h"
#include "ui/port.h"

namespace cli {

// The core started for one command, the way the desktop program starts: the terminal as
// the user-interface port, the program directory (--home, else as the program finds it) as
// current directory, the INI files for the workstation, the engine's behaviour, commit on
// unlock off, the bounded waits and the settings cache. Every table is closed at the end.
class Session {
 public:
  enum class OwnTables {
    Leave,  // the command deals with missing own tables itself
    Check,  // missing own tables are reported, created and indexed, as at program start
  };

  Session(const GlobalOptions& options, OwnTables ownTables);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  TerminalPort& port() { return m_port; }

 private:
  TerminalPort m_port;
  ui::PortScope m_scope;
};

// False (with a message on stderr) when --home names no folder.
bool homeExists(const GlobalOptions& options);

}  // namespace cli
