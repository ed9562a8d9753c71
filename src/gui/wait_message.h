#pragma once

#include <memory>
#include <string>

#include "gui/template_dialog.h"

namespace gui {

// The small note without caption (WAIT_MSG) that the core shows while it works: black
// text on white in a thin border, centred, non-modal; it takes no input.
class WaitMessage {
 public:
  WaitMessage() = default;
  ~WaitMessage();
  WaitMessage(const WaitMessage&) = delete;
  WaitMessage& operator=(const WaitMessage&) = delete;

  // Shows the note when it is not shown, then puts the text (Windows-1252) into it and
  // paints it at once, since the caller goes on working without serving events.
  void show(const std::string& text, QWidget* parent);
  // Removes the note and lets the area below repaint; does nothing when none is shown.
  void end();

  TemplateDialog* dialog() const { return m_dialog.get(); }

 private:
  std::unique_ptr<TemplateDialog> m_dialog;
};

}  // namespace gui
