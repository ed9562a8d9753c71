#pragma once

#include <string>

namespace views {

// A window's rectangle as the layout stores it: right and bottom are the last pixel column
// and row inside the window, so a window 400 pixels wide has right - left = 399.
struct WindowRect {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  bool operator==(const WindowRect&) const = default;
};

// The stored rectangle of the window key ("WinTop", "WinLeft", "WinBottom", "WinRight",
// 0 by default).
WindowRect LOADWINDOW(const std::string& key);

// What SAVEWINDOW stores: the rectangle ("WinLeft", "WinTop", "WinRight", "WinBottom" in this
// order) unless the window is minimised or maximised, then in every case "WinZoom" and
// "WinIcon".
void storeWindow(const std::string& key, const WindowRect& rect, bool maximised, bool minimised);

}  // namespace views
