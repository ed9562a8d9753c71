#include "tables/table_startup.h"

#include <string>
#include <vector>

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/ini_file.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/reorg.h"
#include "xbase/lock_scheme.h"
#include "xbase/table.h"

namespace tables {

void configureEngine() {
  xbase::Table::setHideDeleted(true);
  std::string scheme =
      base::readProfileString(app::INIGLOBAL(), "Netzwerk", "Sperrverfahren", "FoxPro");
  bool clipper = base::equalsIgnoringCase(scheme, "Clipper");
  xbase::setLockScheme(clipper ? xbase::LockScheme::Clipper : xbase::LockScheme::FoxPro);
}

bool checkOwnTables() {
  if (!TESTDBFDATEI()) return true;
  std::vector<std::string> created;
  DB_DATEI(&created);
  bool indexed = created.empty() || REORG(created);
  return indexed && !TESTDBFDATEI(false);
}

void setStartupHooks(app::StartupHooks& hooks) {
  hooks.checkOwnTables = [] {
    configureEngine();
    checkOwnTables();
  };
  hooks.switchCommitOff = [] { SETCOMMIT(false); };
}

}  // namespace tables
