#pragma once

#include <QString>
#include <QWidget>

#include "gui/dialog_template.h"
#include "gui/dialog_units.h"

namespace gui {

// The widget for one control of a template, placed at its rectangle.
QWidget* createControl(const ControlTemplate& control, QWidget* parent, const DialogUnits& units);

// Sets what a control shows as its text: a label's text, a button's caption, an entry
// field's content, a group frame's title. Controls without a text are left alone.
void setControlText(QWidget* control, const QString& text);

}  // namespace gui
