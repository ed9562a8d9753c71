#pragma once

#include <filesystem>

class QWidget;

namespace gui {

// The small commands that live in the main window itself.

// Brings the calculator window titled "Rechner" to the front where the desktop allows it;
// otherwise starts a calculator: the command line of "Rechner" in section "Programme" of
// the global INI file, or the first of the desktop calculators that is installed. A failed
// start is not reported.
void STARTRECHNER();
// Opens the documentation "QMT Datanorm.pdf" of the program directory with the desktop's
// default application; without it, a note naming the file and then the help contents.
bool DOKUMENTATION(QWidget* parent);
// The help window on the contents, on the keyword search with no search word, and on
// using the help. A missing help file gives an error box naming it.
void HILFEINDEX(QWidget* parent);
void HILFESUCHEN(QWidget* parent);
void HILFEUSE(QWidget* parent);
// Opens ERROR.LOG of the program directory in the desktop's text editor; nothing happens
// when there is none.
void openErrorFile();
// Opens the desktop's date and time settings where one is known.
void openDateTimeSettings();

// A file of the program directory, found whatever the case of its name.
std::filesystem::path programFile(const char* name);

}  // namespace gui
