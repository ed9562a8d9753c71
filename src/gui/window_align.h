#pragma once

class QWidget;

namespace gui {

// Placing windows in pixels. Rectangles follow the platform's window rectangles: a child's
// rectangle in its parent's client area, a top-level window's frame on the screen, right
// and bottom edges exclusive.

// Keeps the window's horizontal position and height (its width becomes `width` unless 0) and
// moves it so that its bottom edge lies `gap` pixels above the top edge of `reference`, or
// without one above the bottom of the parent's client area.
bool WNDALIGNBO(QWidget* window, int gap, QWidget* reference = nullptr, int width = 0);

// Makes the window fill the space between the bottom of `above`, the top of `below`, the
// right edge of `left` and the left edge of `right`, keeping the given gaps from them; a
// missing neighbour is replaced by that edge of the parent's client area.
bool WNDALIGNCL(QWidget* window, QWidget* above, QWidget* below, QWidget* left, QWidget* right,
                int leftGap, int topGap, int rightGap, int bottomGap);

// Gives a top-level window the frame size width x height (0 or less keeps that dimension) and
// centres it on `reference`: left at half the reference's right edge minus half the width,
// top at half its bottom edge minus half the height (screen coordinates, halves cut toward
// zero). Without a reference the screen serves.
bool WNDALIGNCE(QWidget* window, QWidget* reference = nullptr, int width = 0, int height = 0);

}  // namespace gui
