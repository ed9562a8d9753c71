#include "cli/session.h"

#include <cstdlib>
#include <iostream>

#include "app/startup.h"
#include "tables/network_wait.h"
#include "tables/table_startup.h"
#include "tables/workspace.h"

namespace cli {

Session::Session(const GlobalOptions& options, OwnTables ownTables)
    : m_port(options.answers), m_scope(m_port) {
  if (!options.home.empty()) ::setenv("ARTIKIMP_HOME", options.home.c_str(), 1);
  tables::setWaitLimit(options.waitSeconds);
  app::StartupHooks hooks;
  tables::setStartupHooks(hooks);
  if (ownTables == OwnTables::Leave) hooks.checkOwnTables = [] { tables::configureEngine(); };
  app::startUp(options.workstation, hooks);
}

Session::~Session() {
  tables::closeAll();
}

bool homeExists(const GlobalOptions& options) {
  std::error_code ec;
  if (options.home.empty() || std::filesystem::is_directory(options.home, ec)) return true;
  std::cerr << "Programmverzeichnis nicht gefunden: " << options.home.string() << "\n";
  return false;
}

}  // namespace cli
