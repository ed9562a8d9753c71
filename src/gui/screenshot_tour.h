#pragma once

#include <QString>

namespace gui {

class MainWindow;

// Saves pictures of the running program into `folder` (main_window.png, settings.png,
// info_box.png), opening each dialog the way a user does, and then ends the program.
void startScreenshotTour(MainWindow& window, const QString& folder);

// Imports the article file `datanormFile` from the menu ("&Datenpflege und -import") and
// photographs the progress dialog while the run goes on (progress.png in `folder`); then
// aborts the run and ends the program, with status 1 when the run ended before the picture
// was taken. The program directory must be a working installation.
void startProgressScreenshot(MainWindow& window, const QString& datanormFile,
                             const QString& folder);

}  // namespace gui
