#pragma once

#include <string>

namespace util {

// German texts for the error codes of the operating system, Windows-1252.

// "DOS-Fehler: <code>\r\n<text>" for a file-system error code (the DOS extended error
// codes 1-88); codes without a text end in "unbekannter Fehler".
std::string DOSFEHLER(long code);

// Checks the result of a file operation whose failure value is negative: 0 or more is
// true and silent; a negative result shows the information box "Dateifehler" with the
// DOSFEHLER text of its absolute value and gives false.
bool FCHECK(long result);

// The error box "Resource Lade-Fehler": `text`, two carriage returns and the text of a
// program-start failure code. Returns true.
bool SHOWWINERROR(int code, const std::string& text);

// The text of an error code of opening a serial or parallel port.
std::string ERROPENCOM(int code);

}  // namespace util
