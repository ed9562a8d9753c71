#pragma once

#include <QFont>
#include <QRect>

namespace gui {

// Dialog units as Windows defines them: a horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its character height, so a dialog
// keeps its proportions with whatever font it gets.
struct DialogUnits {
  int baseX = 0;  // average character width in pixels (of the letters A-Z, a-z)
  int baseY = 0;  // character height in pixels

  static DialogUnits of(const QFont& font);

  // Rounded to the nearest pixel, halves away from zero.
  int x(int units) const;
  int y(int units) const;
  QRect rect(int x, int y, int w, int h) const;
};

// The font a template asks for; a family the system lacks falls back to its sans serif.
QFont dialogFont(const char* family, int points);

}  // namespace gui
