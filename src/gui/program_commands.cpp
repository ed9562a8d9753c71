#include "gui/program_commands.h"

#include "gui/table_browser.h"
#include "import/deletion.h"
#include "import/import_run.h"
#include "tables/reorg.h"
#include "tables/structure_check.h"

namespace gui {

CommandTable programCommands(std::function<QWidget*()> browserOwner) {
  CommandTable commands;
  commands.browse = [owner = std::move(browserOwner)](int kind) { NORMANZEIGE(owner(), kind); };
  commands.import = [](int kind) { dnorm::NORMIMPORT(kind); };
  commands.erase = [](int kind) { dnorm::NORMLOESCHEN(kind); };
  commands.reorganise = [] { tables::REORG(); };
  commands.checkStructure = [] { tables::TESTSTRUKTUR(); };
  return commands;
}

}  // namespace gui
