#include "gui/dialog_units.h"

#include <QFontMetrics>

namespace gui {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
  long long product = static_cast<long long>(a) * b;
  long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

// The average character width as Windows measures it for dialogs: the width of the 52
// letters, divided by 26, rounded up to whole pixels, halved.
DialogUnits DialogUnits::of(const QFont& font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

int DialogUnits::x(int units) const {
  return mulDiv(units, baseX, 4);
}

int DialogUnits::y(int units) const {
  return mulDiv(units, baseY, 8);
}

QRect DialogUnits::rect(int left, int top, int w, int h) const {
  // Both corners are mapped, as Windows maps a control's rectangle, so that neighbouring
  // controls meet without gaps from rounding.
  int l = x(left);
  int t = y(top);
  return QRect(l, t, x(left + w) - l, y(top + h) - t);
}

QFont dialogFont(const char* family, int points) {
  QFont font(QString::fromUtf8(family));
  font.setPointSize(points);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace gui
