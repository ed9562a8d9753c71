#pragma once

#include <string>

#include "base/cp1252.h"
#include "ui/port.h"

namespace util {

// Question boxes with the question icon, shown through the user-interface port.

// OK and Cancel, OK the default; true for OK.
bool MSGOKCANCEL(const std::string& text = {},
                 const std::string& title = base::ansi("Bestätigung"));
// Yes, No and Cancel: Answer::Yes (6), Answer::No (7) or Answer::Cancel (2).
// MSGYESNOCANCEL has Yes as default button, MSGNOYESCANCEL No.
ui::Answer MSGYESNOCANCEL(const std::string& text = {}, const std::string& title = "Auswahl");
ui::Answer MSGNOYESCANCEL(const std::string& text = {}, const std::string& title = "Auswahl");

}  // namespace util
