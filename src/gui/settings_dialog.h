#pragma once

#include <functional>
#include <vector>

#include "gui/template_dialog.h"
#include "settings/storage.h"

namespace gui {

// The settings dialog (EIN_DATEN) over a working copy of the 21 import settings as the
// global INI file holds them when it opens. Every control edits the working copy; nothing
// is stored by the dialog itself.
class SettingsDialog : public TemplateDialog {
  Q_OBJECT
 public:
  // In continue mode the confirm button reads "&Weiter" instead of "&OK".
  // `editProductGroups` opens the main product group browser over the dialog.
  SettingsDialog(bool continueMode, std::function<void()> editProductGroups, QWidget* parent);

  const std::vector<settings::Value>& workingCopy() const { return m_values; }

 private:
  void adjustOpeningValues();
  void bindControls();
  void bindTextField(int id, int setting);
  void bindRateField();
  void browseForArticleTable();
  void updateMatchcode();

  std::vector<settings::Value> m_values;
  std::function<void()> m_editProductGroups;
};

// Shows the settings dialog modally; when the user confirms it, writes all 21 settings to
// the global INI file (SETVOREIN) and reloads the settings cache. True when confirmed.
bool EINDATEN(QWidget* parent, bool continueMode = false,
              std::function<void()> editProductGroups = {});

}  // namespace gui
