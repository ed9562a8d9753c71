#pragma once

#include "gui/command_table.h"

class QWidget;

namespace gui {

// The settings dialog in continue mode ("&Weiter"); when the user confirms it, the article
// import (kind 0). Cancelled, nothing else happens. Returns true.
bool DATENPFLEGE(QWidget* parent, const CommandTable& commands);
// The same, then the price-maintenance import (kind 2).
bool PREISPFLEGE(QWidget* parent, const CommandTable& commands);

}  // namespace gui
