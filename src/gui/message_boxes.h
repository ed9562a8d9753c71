#pragma once

#include <QMessageBox>
#include <memory>

#include "ui/port.h"

namespace gui {

// The boxes of the user-interface port as QMessageBoxes, ready to be shown.

// An OK box: information icon, warning icon for an alert, stop (critical) icon.
std::unique_ptr<QMessageBox> messageBox(ui::MessageKind kind, const QString& title,
                                        const QString& text, QWidget* parent);
// A question box with the question icon, the buttons asked for and the default button that
// Enter chooses.
std::unique_ptr<QMessageBox> questionBox(ui::Buttons buttons, ui::Answer defaultAnswer,
                                         const QString& title, const QString& text,
                                         QWidget* parent);
// The answer for the button the user chose. A box closed without a button (where the window
// system allows it) answers Cancel, or No when the box has no Cancel.
ui::Answer answerOf(QMessageBox::StandardButton button, ui::Buttons buttons);

}  // namespace gui
