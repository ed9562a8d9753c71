#pragma once

namespace gui {

// The screen's horizontal logical dots per inch; 96 on a standard screen.
int GETCURRENTDPI();
// The device pixels that n pixels of a 96-dpi design take on this screen, cut toward zero.
int GETDPIPIXEL(int n);
// The same for a given resolution.
int dpiPixel(int n, double dpi);

}  // namespace gui
