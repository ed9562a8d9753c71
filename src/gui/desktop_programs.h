#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

namespace gui {

// Starting the desktop's own programs. Nothing here reports a failure to the user.

// Starts the first program of the list that is installed (program and arguments), detached.
// False when none could be started.
bool startFirstInstalled(const std::vector<QStringList>& commands);
// Starts a command line given as text, detached.
bool startCommandLine(const QString& commandLine);
// Opens a file with the desktop's default application for it.
bool openWithDesktop(const std::filesystem::path& file);
// Brings the top-level window with exactly this title to the front, where the desktop
// allows it (through wmctrl). False when there is no such window or no way to raise it.
bool activateWindowTitled(const QString& title);

}  // namespace gui
