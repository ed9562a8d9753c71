#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/paths.h"
#include "gui/main_window.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"

namespace guitest {

// Runs `action` on the next modal dialog as soon as it is shown, from inside its event
// loop, as a user would act on it. The action must close the dialog.
inline void whenModal(std::function<void(QWidget*)> action) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, action = std::move(action)] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(dialog);
  });
  poll->start();
}

// The item of the main window's menu bar, by the menu's and the item's texts; nullptr when
// there is none.
inline QAction* menuItem(gui::MainWindow& window, const QString& menu, const QString& item) {
  for (QAction* top : window.menuBar()->actions()) {
    if (top->text() != menu) continue;
    for (QAction* action : top->menu()->actions()) {
      if (action->text() == item) return action;
    }
  }
  return nullptr;
}

// A program directory of its own with a scripted user-interface port.
class ProgramDirFixture {
 public:
  ProgramDirFixture() : m_scope(m_port) { app::setupPaths(m_dir.path(), ""); }

  ui::ScriptedPort& port() { return m_port; }
  std::filesystem::path path(const std::string& name) const { return m_dir / name; }
  void writeIni(const std::string& text) { testsupport::writeFile(path("ARTIKIMP.INI"), text); }
  std::string ini() const { return testsupport::readFile(path("ARTIKIMP.INI")); }

 private:
  testsupport::TempDir m_dir;
  ui::ScriptedPort m_port;
  ui::PortScope m_scope;
};

}  // namespace guitest
