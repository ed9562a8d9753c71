#include "views/window_layout.h"

#include "views/layout_values.h"

namespace views {

WindowRect LOADWINDOW(const std::string& key) {
  WindowRect rect;
  rect.top = readLayoutNumber(key, "WinTop", 0);
  rect.left = readLayoutNumber(key, "WinLeft", 0);
  rect.bottom = readLayoutNumber(key, "WinBottom", 0);
  rect.right = readLayoutNumber(key, "WinRight", 0);
  return rect;
}

void storeWindow(const std::string& key, const WindowRect& rect, bool maximised, bool minimised) {
  if (!maximised && !minimised) {
    writeLayoutNumber(key, "WinLeft", rect.left);
    writeLayoutNumber(key, "WinTop", rect.top);
    writeLayoutNumber(key, "WinRight", rect.right);
    writeLayoutNumber(key, "WinBottom", rect.bottom);
  }
  writeLayoutFlag(key, "WinZoom", maximised);
  writeLayoutFlag(key, "WinIcon", minimised);
}

}  // namespace views
