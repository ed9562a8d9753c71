#pragma once

#include <QString>

class QWidget;

namespace gui {

// Saves pictures of the table browser into `folder` (group_browser.png, print_preview.png,
// discount_editor.png), opening each window the way a user does, and then ends the program.
void startBrowserScreenshots(QWidget* owner, const QString& folder);

}  // namespace gui
