#include "gui/wait_message.h"

#include <QCoreApplication>

#include "gui/control_factory.h"
#include "gui/dialog_templates.h"
#include "gui/widget_text.h"

namespace gui {

namespace {

constexpr int kTextId = 101;  // WAIT_MSG: the centred text

std::unique_ptr<TemplateDialog> createNote(QWidget* parent) {
  auto note = std::make_unique<TemplateDialog>(templates::WAIT_MSG(), parent);
  note->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  note->setAttribute(Qt::WA_ShowWithoutActivating);
  note->setStyleSheet(QStringLiteral(
      "QDialog { background-color: white; border: 1px solid black; } QLabel { color: black; }"));
  return note;
}

}  // namespace

WaitMessage::~WaitMessage() = default;

void WaitMessage::show(const std::string& text, QWidget* parent) {
  if (!m_dialog) {
    m_dialog = createNote(parent);
    m_dialog->show();
  }
  QWidget* label = m_dialog->control(kTextId);
  setControlText(label, qtText(text));
  // Let the window system map the note before painting into it.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  label->repaint();
}

void WaitMessage::end() {
  if (!m_dialog) return;
  m_dialog->hide();
  m_dialog.reset();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace gui
