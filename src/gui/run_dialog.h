#pragma once

#include "gui/template_dialog.h"

namespace gui {

// A template dialog that stays open while a long run goes on, modal over the whole program.
// Its abort button (kAbortButton), the Escape key and the close box do not close it: they
// record an abort request, and the run decides what an abort means and when the dialog
// closes (finish()).
class RunDialog : public TemplateDialog {
  Q_OBJECT
 public:
  RunDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

  // True once for every abort request since the last call.
  bool takeAbortRequest();
  // True once any abort was requested.
  bool abortRequested() const { return m_everAborted; }
  // Closes the dialog for good.
  void finish();

  void reject() override;

 private:
  bool m_pending = false;
  bool m_everAborted = false;
};

}  // namespace gui
