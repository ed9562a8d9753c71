#include "gui/run_dialog.h"

namespace gui {

RunDialog::RunDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : TemplateDialog(dialogTemplate, parent) {
  setWindowModality(Qt::ApplicationModal);
  for (const ControlTemplate& c : dialogTemplate.controls) {
    if (c.flags & kAbortButton) onClick(c.id, [this] { reject(); });
  }
}

bool RunDialog::takeAbortRequest() {
  bool pending = m_pending;
  m_pending = false;
  return pending;
}

void RunDialog::finish() {
  done(QDialog::Rejected);
}

// Escape and the close box of a QDialog both end in reject().
void RunDialog::reject() {
  m_pending = true;
  m_everAborted = true;
}

}  // namespace gui
