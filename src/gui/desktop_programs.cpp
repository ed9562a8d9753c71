#include "gui/desktop_programs.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace gui {

namespace {

// How long asking the window manager to raise a window may take.
constexpr int kRaiseTimeoutMs = 2000;

bool startDetached(const QStringList& command) {
  if (command.isEmpty() || QStandardPaths::findExecutable(command.front()).isEmpty()) return false;
  return QProcess::startDetached(command.front(), command.mid(1));
}

}  // namespace

bool startFirstInstalled(const std::vector<QStringList>& commands) {
  for (const QStringList& command : commands) {
    if (startDetached(command)) return true;
  }
  return false;
}

bool startCommandLine(const QString& commandLine) {
  return startDetached(QProcess::splitCommand(commandLine));
}

bool openWithDesktop(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

bool activateWindowTitled(const QString& title) {
  QString wmctrl = QStandardPaths::findExecutable(QStringLiteral("wmctrl"));
  if (wmctrl.isEmpty()) return false;
  QProcess raise;
  raise.start(wmctrl, {QStringLiteral("-F"), QStringLiteral("-a"), title});
  return raise.waitForFinished(kRaiseTimeoutMs) && raise.exitStatus() == QProcess::NormalExit &&
         raise.exitCode() == 0;
}

}  // namespace gui
