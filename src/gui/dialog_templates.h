#pragma once

#include <string_view>

#include "gui/dialog_template.h"

namespace gui::templates {

// Every dialog template of the desktop program, by its resource name.

// The settings dialog.
const DialogTemplate& EIN_DATEN();
// The information box and the change-log window.
const DialogTemplate& MAININFO();
const DialogTemplate& INFOTEXT();
// The dialogs shown while the core works: import progress, reorganisation bar, record-lock
// wait and the small wait note.
const DialogTemplate& DATEN_EINLESEN();
const DialogTemplate& LAUFBALKEN();
const DialogTemplate& MSG_ABBRUCH();
const DialogTemplate& WAIT_MSG();

// The template of that name, or nullptr.
const DialogTemplate* find(std::string_view name);

}  // namespace gui::templates
