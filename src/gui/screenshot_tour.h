#pragma once

#include <QString>

namespace gui {

class MainWindow;

// Saves pictures of the running program into `folder` (main_window.png, settings.png,
// info_box.png), opening each dialog the way a user does, and then ends the program.
void startScreenshotTour(MainWindow& window, const QString& folder);

}  // namespace gui
