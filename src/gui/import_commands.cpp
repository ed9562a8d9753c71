#include "gui/import_commands.h"

#include "gui/settings_dialog.h"

namespace gui {

namespace {

constexpr int kArticleImport = 0;
constexpr int kProductGroupBrowser = 1;
constexpr int kPriceImport = 2;

bool importAfterSettings(QWidget* parent, const CommandTable& commands, int kind) {
  auto editProductGroups = [&commands] { runCommand(commands.browse, kProductGroupBrowser); };
  if (EINDATEN(parent, true, editProductGroups)) runCommand(commands.import, kind);
  return true;
}

}  // namespace

bool DATENPFLEGE(QWidget* parent, const CommandTable& commands) {
  return importAfterSettings(parent, commands, kArticleImport);
}

bool PREISPFLEGE(QWidget* parent, const CommandTable& commands) {
  return importAfterSettings(parent, commands, kPriceImport);
}

}  // namespace gui
