#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "gui/template_dialog.h"

namespace gui {

// A control of a template dialog as GETITEMDLG hands it out. For an id the dialog lacks it
// is inert: every operation on it does nothing.
class DialogControl {
 public:
  DialogControl() = default;
  DialogControl(TemplateDialog* dialog, int id, QWidget* widget)
      : m_dialog(dialog), m_id(id), m_widget(widget) {}

  bool isInert() const { return m_widget.isNull(); }
  QWidget* widget() const { return m_widget; }

  void setEnabled(bool enabled);
  void setVisible(bool visible);
  // Redraws the control from its bound value.
  void refresh();
  // Windows-1252 text.
  void setText(const std::string& text);

 private:
  QPointer<TemplateDialog> m_dialog;
  int m_id = kNoId;
  QPointer<QWidget> m_widget;
};

// The first control of the dialog with the id. For an id the dialog lacks, the information
// box "Fehler in Funktion GetItemDlg( <window handle>, <id>) " titled "Warnmeldung" and an
// inert control, so that a wrong id never stops a dialog.
DialogControl GETITEMDLG(TemplateDialog& dialog, int id);

// Disables (or with `disable` false enables) every listed control. Returns true.
bool CTRLDISEN(TemplateDialog& dialog, const std::vector<int>& ids, bool disable);
// Hides (or with `hide` false shows) every listed control. Returns true.
bool CTRLSHOWHIDE(TemplateDialog& dialog, const std::vector<int>& ids, bool hide);
// Redraws every listed control from its bound value. Returns true.
bool CTRLREFRESH(TemplateDialog& dialog, const std::vector<int>& ids);
// Sets the text of the n-th listed control to the n-th text (Windows-1252); both lists have
// the same length. Returns true.
bool DLGSETTEXT(TemplateDialog& dialog, const std::vector<int>& ids,
                const std::vector<std::string>& texts);

}  // namespace gui
