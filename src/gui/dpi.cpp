#include "gui/dpi.h"

#include <QGuiApplication>
#include <QScreen>

namespace gui {

namespace {
constexpr double kDesignDpi = 96;
}  // namespace

int GETCURRENTDPI() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchX()) : static_cast<int>(kDesignDpi);
}

int GETDPIPIXEL(int n) {
  return dpiPixel(n, GETCURRENTDPI());
}

int dpiPixel(int n, double dpi) {
  return static_cast<int>(n * (dpi / kDesignDpi));
}

}  // namespace gui
