#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace gui {

// The core's texts are Windows-1252 with "\r\n" line breaks; widgets take UTF-16 with "\n".

// A core text for a widget: 1252 to UTF-16, every "\r\n" (or lone "\r") as "\n".
QString qtText(std::string_view ansi);
// A widget's text for the core: UTF-16 to 1252 (characters 1252 lacks become '?').
std::string ansiText(const QString& text);

}  // namespace gui
