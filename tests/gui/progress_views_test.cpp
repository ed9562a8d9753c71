#include "gui/progress_views.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "base/cp1252.h"
#include "gui/dialog_templates.h"

namespace {

using Press = std::function<void(gui::RunDialog&, QAbstractButton* abortButton)>;

const std::pair<const char*, Press> kWaysToAbort[] = {
    {"abort button", [](gui::RunDialog&, QAbstractButton* b) { b->click(); }},
    {"close box", [](gui::RunDialog& d, QAbstractButton*) { d.close(); }},
    {"Escape", [](gui::RunDialog& d, QAbstractButton*) { QTest::keyClick(&d, Qt::Key_Escape); }},
};

TEST(ProgressView, AbortButtonCloseBoxAndEscapeRequestAnAbortWithoutClosing) {
  for (const auto& [way, press] : kWaysToAbort) {
    gui::QtProgressView view(gui::templates::DATEN_EINLESEN(), "DATEN_EINLESEN", nullptr);
    EXPECT_FALSE(view.takeAbortRequest()) << way;
    press(view.dialog(), qobject_cast<QAbstractButton*>(view.dialog().control(110)));
    EXPECT_TRUE(view.dialog().isVisible()) << way;
    EXPECT_TRUE(view.takeAbortRequest()) << way;
    EXPECT_FALSE(view.takeAbortRequest()) << way;  // once per press
    view.close();
    EXPECT_FALSE(view.dialog().isVisible()) << way;
  }
}

TEST(LockView, AbortButtonCloseBoxAndEscapeCancel) {
  for (const auto& [way, press] : kWaysToAbort) {
    gui::QtLockView view("Satz konnte nicht gesperrt werden", "", nullptr);
    EXPECT_FALSE(view.cancelled()) << way;
    press(view.dialog(), qobject_cast<QAbstractButton*>(view.dialog().control(2)));
    EXPECT_TRUE(view.cancelled()) << way;
    EXPECT_TRUE(view.cancelled()) << way;
  }
}

TEST(ProgressView, ShowsTextsMeterAndIgnoresIdsItLacks) {
  gui::QtProgressView view(gui::templates::LAUFBALKEN(), "Reorganisation", nullptr);
  view.setText(110, "DNORMWGR.DBF");
  view.setText(120, base::ansi("Gelöscht markierte Sätze\r\nin DNORMWGR.DBF"));
  view.setText(999, "ignored");
  EXPECT_EQ(qobject_cast<QLabel*>(view.dialog().control(120))->text(),
            QString::fromUtf8("Gelöscht markierte Sätze\nin DNORMWGR.DBF"));

  auto* meter = qobject_cast<QProgressBar*>(view.dialog().control(300));
  view.setMeterTotal(300, 0);  // an empty table: an empty bar, not a busy indicator
  view.setMeterPosition(300, 0);
  EXPECT_EQ(meter->value(), 0);
  EXPECT_GT(meter->maximum(), 0);
  view.setMeterTotal(300, 7);
  view.setMeterPosition(300, 7);
  EXPECT_EQ(meter->text(), "100%");
}

TEST(ProgressView, TicksArriveWhileEventsAreServed) {
  gui::QtProgressView view(gui::templates::DATEN_EINLESEN(), "DATEN_EINLESEN", nullptr);
  int ticks = 0;
  view.startTicks([&ticks] { ++ticks; });
  EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks == 1; }, 5000));
  view.stopTicks();
  QTest::qWait(1500);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
