#include "gui/widget_text.h"

#include "base/cp1252.h"

namespace gui {

QString qtText(std::string_view ansi) {
  std::u16string utf16 = base::utf16FromAnsi(ansi);
  QString text = QString::fromStdU16String(utf16);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

std::string ansiText(const QString& text) {
  return base::ansiFromUtf16(text.toStdU16String());
}

}  // namespace gui
