#pragma once

class QWidget;

namespace gui {

// The information box: product heading, version line and the maker's contact block.
// Returns true when it is closed.
bool MAININFO(QWidget* parent);
// The change log of every build in a read-only text box. Returns true when it is closed.
bool VERSIONINFO(QWidget* parent);

}  // namespace gui
