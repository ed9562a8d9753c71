#include "gui/dialog_controls.h"

#include <algorithm>

#include "gui/control_factory.h"
#include "gui/widget_text.h"
#include "ui/port.h"

namespace gui {

void DialogControl::setEnabled(bool enabled) {
  if (m_widget) m_widget->setEnabled(enabled);
}

void DialogControl::setVisible(bool visible) {
  if (m_widget) m_widget->setVisible(visible);
}

void DialogControl::refresh() {
  if (m_widget && m_dialog) m_dialog->refresh(m_id);
}

void DialogControl::setText(const std::string& text) {
  if (m_widget) setControlText(m_widget, qtText(text));
}

DialogControl GETITEMDLG(TemplateDialog& dialog, int id) {
  if (QWidget* widget = dialog.control(id)) return DialogControl(&dialog, id, widget);
  ui::port().information("Warnmeldung", "Fehler in Funktion GetItemDlg( " +
                                            std::to_string(dialog.winId()) + ", " +
                                            std::to_string(id) + ") ");
  return DialogControl();
}

bool CTRLDISEN(TemplateDialog& dialog, const std::vector<int>& ids, bool disable) {
  for (int id : ids) GETITEMDLG(dialog, id).setEnabled(!disable);
  return true;
}

bool CTRLSHOWHIDE(TemplateDialog& dialog, const std::vector<int>& ids, bool hide) {
  for (int id : ids) GETITEMDLG(dialog, id).setVisible(!hide);
  return true;
}

bool CTRLREFRESH(TemplateDialog& dialog, const std::vector<int>& ids) {
  for (int id : ids) GETITEMDLG(dialog, id).refresh();
  return true;
}

bool DLGSETTEXT(TemplateDialog& dialog, const std::vector<int>& ids,
                const std::vector<std::string>& texts) {
  size_t count = std::min(ids.size(), texts.size());
  for (size_t i = 0; i < count; ++i) GETITEMDLG(dialog, ids[i]).setText(texts[i]);
  return true;
}

}  // namespace gui
