#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "gui/table_browser.h"
#include "gui_test_util.h"
#include "tables/net.h"
#include "tables/network_wait.h"
#include "tables/workspace.h"
#include "xbase/lock_scheme.h"
#include "xbase/table.h"

namespace browsertest {

// A program directory with the genuine fixture tables and the table layer in its start-up
// state (deleted records hidden, shared opens, commit on unlock off).
class BrowserTest : public ::testing::Test, public guitest::ProgramDirFixture {
 protected:
  BrowserTest() {
    const char* tables[] = {"DNORMWGR", "DNORMRAB", "DNORMERR", "DNORMERT", "DNORMPRO"};
    for (const char* t : tables)
      testsupport::copyFixtures(path(""), "xbase",
                                {std::string(t) + ".dbf", std::string(t) + ".cdx"});
    xbase::Table::setHideDeleted(true);
    xbase::setLockScheme(xbase::LockScheme::FoxPro);
    tables::SETSHARED(true);
    tables::SETCOMMIT(false);
    tables::setWaitLimit(std::nullopt);
  }
  ~BrowserTest() override { tables::closeAll(); }
};

// Runs `action` on the next modal dialog other than the one active now, from inside its
// event loop. The action must close the dialog.
inline void onNextDialog(std::function<void(QWidget*)> action) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, before, action = std::move(action)] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == before || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(dialog);
  });
  poll->start();
}

// Opens the browser of `kind` (NORMANZEIGE) and runs `action` on it while it is shown; the
// browser is closed afterwards unless the action closed it.
inline void withBrowser(int kind, const std::function<void(gui::TableBrowser&)>& action,
                        QWidget* parent = nullptr) {
  onNextDialog([action](QWidget* w) {
    auto* browser = qobject_cast<gui::TableBrowser*>(w);
    EXPECT_NE(browser, nullptr);
    if (browser) action(*browser);
    if (w->isVisible()) w->close();
  });
  gui::NORMANZEIGE(parent, kind);
}

inline QAbstractButton* button(gui::TemplateDialog& dialog, int id) {
  return qobject_cast<QAbstractButton*>(dialog.control(id));
}

}  // namespace browsertest
