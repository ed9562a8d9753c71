#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "base/clock.h"
#include "gui/document_area.h"
#include "gui/message_bar.h"
#include "gui_test_util.h"

namespace {

using guitest::menuItem;

// The buttons of the button bar, left to right (without the gaps).
std::vector<QAction*> buttons(gui::MainWindow& window) {
  std::vector<QAction*> result;
  for (QAction* action : window.buttonBar()->actions()) {
    if (!action->icon().isNull()) result.push_back(action);
  }
  return result;
}

class MainWindowTest : public ::testing::Test, public guitest::ProgramDirFixture {};

TEST_F(MainWindowTest, OpensWithProductCaption) {
  gui::MainWindow w;
  w.show();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle().toStdString(), "QMT DATANORM 2017 Build 101");
}

TEST_F(MainWindowTest, EveryWayOfClosingAsksAndNoKeepsTheProgramRunning) {
  const std::pair<const char*, std::function<void(gui::MainWindow&)>> ways[] = {
      {"menu item Be&enden",
       [](gui::MainWindow& w) { menuItem(w, "&Datei", "Be&enden")->trigger(); }},
      {"button 4", [](gui::MainWindow& w) { buttons(w).at(3)->trigger(); }},
      {"close box", [](gui::MainWindow& w) { w.close(); }},
  };
  for (const auto& [way, close] : ways) {
    gui::MainWindow window;
    window.show();
    port().answer(ui::Answer::No, "Programm beenden?");
    close(window);
    EXPECT_TRUE(window.isVisible()) << way;

    port().answer(ui::Answer::Yes, "Programm beenden?");
    close(window);
    EXPECT_FALSE(window.isVisible()) << way;
  }
  ASSERT_EQ(port().messages().size(), 6u);
  const ui::Message& question = port().messages().front();
  EXPECT_EQ(question.kind, ui::Message::Kind::YesNo);
  EXPECT_EQ(question.title, "QMT DATANORM 2018");
  EXPECT_EQ(question.defaultAnswer, ui::Answer::Yes);
}

TEST_F(MainWindowTest, HintsOfMenuItemsAndButtonsShowInTheMessageBar) {
  gui::MainWindow window;
  window.show();
  QString makerLine = window.messageBar()->text();
  EXPECT_TRUE(makerLine.startsWith("QMT DATANORM - ")) << makerLine.toStdString();

  menuItem(window, "&Hilfe", "Inf&o")->showStatusText(window.menuBar());
  EXPECT_EQ(window.messageBar()->text(),
            QString::fromUtf8("Info über QMT MOVARIS und Systemresourcen"));

  // Button 3 has a tooltip of its own and a longer hint.
  QAction* documentation = buttons(window).at(2);
  EXPECT_EQ(documentation->toolTip(), "Dokumentation");
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(window.buttonBar()->widgetForAction(documentation), &enter);
  EXPECT_EQ(window.messageBar()->text(), QString::fromUtf8("Dokumentation (PDF) öffnen"));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window.buttonBar()->widgetForAction(documentation), &leave);
  EXPECT_EQ(window.messageBar()->text(), makerLine);
}

TEST_F(MainWindowTest, ClockFollowsTheTimeOfDay) {
  base::FakeClock clock(base::Date{std::chrono::year{2024} / 2 / 29}, 13 * 3600 + 5 * 60 + 9);
  base::ClockScope scope(clock);
  gui::MainWindow window;
  window.show();
  EXPECT_EQ(window.messageBar()->date(), "29.02.2024");
  EXPECT_EQ(window.messageBar()->time(), "13:05:09");
  EXPECT_TRUE(window.messageBar()->text().endsWith("1999-2024"));

  clock.advance(2);
  QTest::qWait(2 * gui::MessageBar::kClockIntervalMs);
  EXPECT_EQ(window.messageBar()->time(), "13:05:11");
}

TEST_F(MainWindowTest, CommandsCallTheirEntryOfTheCommandTable) {
  std::vector<std::string> calls;
  gui::CommandTable commands;
  commands.import = [&](int kind) { calls.push_back("import " + std::to_string(kind)); };
  commands.browse = [&](int kind) { calls.push_back("browse " + std::to_string(kind)); };
  commands.erase = [&](int kind) { calls.push_back("erase " + std::to_string(kind)); };
  commands.reorganise = [&] { calls.push_back("reorganise"); };
  gui::MainWindow window(commands);

  const std::pair<const char*, const char*> items[] = {
      {"&Datei", "&Rabattgruppen einlesen"}, {"&Bearbeiten", "Fehler&texte"},
      {"&Bearbeiten", "&Fehlerprotokoll"},   {"&Löschen", "&Alle Löschen"},
      {"D&ienste", "&Reorganisation"},       {"D&ienste", "&Datenbankstruktur"},
  };
  for (auto [menu, item] : items) {
    QAction* action = menuItem(window, QString::fromUtf8(menu), QString::fromUtf8(item));
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
  }
  // The structure check is not in the table: its item does nothing.
  EXPECT_EQ(calls, (std::vector<std::string>{"import 3", "browse 5", "browse 4", "erase 7",
                                             "reorganise"}));
}

int visiblePopups() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    count += qobject_cast<QMenu*>(w) && w->isVisible();
  return count;
}

TEST_F(MainWindowTest, RightClickOpensOneInertPopupAtATime) {
  gui::MainWindow window;
  window.show();
  QWidget* area = window.documentArea()->viewport();
  auto rightClick = [area] {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                            area->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(area, &click);
  };
  QStringList entries;
  int popupsAtOnce = 0;
  QTimer::singleShot(20, [&] {
    for (QAction* action : qobject_cast<QMenu*>(QApplication::activePopupWidget())->actions()) {
      entries << action->text();
    }
    // A second popup, if one opened, is counted and closed by this timer.
    QTimer::singleShot(50, [&] {
      popupsAtOnce = visiblePopups();
      while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    rightClick();
  });
  rightClick();
  EXPECT_EQ(entries, QStringList{"&Datenbank laden\tF2"});
  EXPECT_EQ(popupsAtOnce, 1);
}

TEST(DocumentArea, LogoStandsByTheFormulaOfTheClientArea) {
  EXPECT_EQ(gui::logoOrigin(QSize(1280, 900), 96), QPoint(730, 440));
  EXPECT_EQ(gui::logoOrigin(QSize(1280, 900), 120), QPoint(730, 900 - 491));
  // In a small window the corner lies outside and only part of the logo shows.
  EXPECT_EQ(gui::logoOrigin(QSize(400, 300), 96), QPoint(-150, -160));
}

}  // namespace
