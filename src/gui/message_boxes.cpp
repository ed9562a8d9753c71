#include "gui/message_boxes.h"

namespace gui {

namespace {

QMessageBox::Icon iconOf(ui::MessageKind kind) {
  switch (kind) {
    case ui::MessageKind::Information:
      return QMessageBox::Information;
    case ui::MessageKind::Alert:
      return QMessageBox::Warning;
    case ui::MessageKind::Stop:
      return QMessageBox::Critical;
  }
  return QMessageBox::Information;
}

QMessageBox::StandardButtons buttonsOf(ui::Buttons buttons) {
  switch (buttons) {
    case ui::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case ui::Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonOf(ui::Answer answer) {
  switch (answer) {
    case ui::Answer::Ok:
      return QMessageBox::Ok;
    case ui::Answer::Cancel:
      return QMessageBox::Cancel;
    case ui::Answer::Yes:
      return QMessageBox::Yes;
    case ui::Answer::No:
      return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

std::unique_ptr<QMessageBox> box(QMessageBox::Icon icon, const QString& title, const QString& text,
                                 QMessageBox::StandardButtons buttons, QWidget* parent) {
  auto result = std::make_unique<QMessageBox>(icon, title, text, buttons, parent);
  result->setTextFormat(Qt::PlainText);
  return result;
}

}  // namespace

std::unique_ptr<QMessageBox> messageBox(ui::MessageKind kind, const QString& title,
                                        const QString& text, QWidget* parent) {
  auto result = box(iconOf(kind), title, text, QMessageBox::Ok, parent);
  result->setDefaultButton(QMessageBox::Ok);
  return result;
}

std::unique_ptr<QMessageBox> questionBox(ui::Buttons buttons, ui::Answer defaultAnswer,
                                         const QString& title, const QString& text,
                                         QWidget* parent) {
  auto result = box(QMessageBox::Question, title, text, buttonsOf(buttons), parent);
  result->setDefaultButton(buttonOf(defaultAnswer));
  return result;
}

ui::Answer answerOf(QMessageBox::StandardButton button, ui::Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return ui::Answer::Ok;
    case QMessageBox::Yes:
      return ui::Answer::Yes;
    case QMessageBox::No:
      return ui::Answer::No;
    case QMessageBox::Cancel:
      return ui::Answer::Cancel;
    default:
      return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Cancel;
  }
}

}  // namespace gui
