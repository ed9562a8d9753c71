#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/paths.h"
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
