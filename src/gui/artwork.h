#pragma once

#include <QIcon>
#include <QPixmap>

namespace gui {

// The program's own bitmaps, embedded from resources/bitmaps: "GEAR_48", "NEULOGO", ...
QPixmap bitmap(const char* name);

// The application icon (AAQMT) in all its sizes.
QIcon applicationIcon();

}  // namespace gui
