#include "gui/dialog_controls.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "base/cp1252.h"
#include "gui/dialog_templates.h"
#include "gui_test_util.h"

namespace {

class DialogControlsTest : public ::testing::Test, public guitest::ProgramDirFixture {};

TEST_F(DialogControlsTest, MissingIdIsReportedAndGivesAnInertControl) {
  gui::TemplateDialog dialog(gui::templates::MSG_ABBRUCH());
  gui::DialogControl missing = gui::GETITEMDLG(dialog, 999);
  EXPECT_TRUE(missing.isInert());
  missing.setEnabled(false);
  missing.setVisible(false);
  missing.setText("x");
  missing.refresh();

  ASSERT_EQ(port().messages().size(), 1u);
  const ui::Message& message = port().messages()[0];
  EXPECT_EQ(message.kind, ui::Message::Kind::Information);
  EXPECT_EQ(message.title, "Warnmeldung");
  EXPECT_EQ(message.text,
            "Fehler in Funktion GetItemDlg( " + std::to_string(dialog.winId()) + ", 999) ");
}

TEST_F(DialogControlsTest, ListOperationsActOnEveryListedControlAndReportMissingOnes) {
  gui::TemplateDialog dialog(gui::templates::EIN_DATEN());
  gui::CTRLDISEN(dialog, {121, 122, 998}, true);
  EXPECT_FALSE(dialog.control(121)->isEnabled());
  EXPECT_FALSE(dialog.control(122)->isEnabled());
  gui::CTRLDISEN(dialog, {121}, false);
  EXPECT_TRUE(dialog.control(121)->isEnabled());

  gui::CTRLSHOWHIDE(dialog, {131, 132}, true);
  EXPECT_TRUE(dialog.control(131)->isHidden());
  EXPECT_TRUE(dialog.control(132)->isHidden());

  gui::DLGSETTEXT(dialog, {120, 121}, {base::ansi("Pfad für Daten"), "/x/"});
  EXPECT_EQ(qobject_cast<QLabel*>(dialog.control(120))->text(),
            QString::fromUtf8("Pfad für Daten"));
  EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.control(121))->text(), "/x/");

  ASSERT_EQ(port().messages().size(), 1u);
  EXPECT_NE(port().messages()[0].text.find(", 998) "), std::string::npos);
}

TEST_F(DialogControlsTest, RefreshRedrawsFromTheBoundValue) {
  gui::TemplateDialog dialog(gui::templates::EIN_DATEN());
  std::string value = "alt";
  dialog.bindText(
      121, [&value] { return value; }, [&value](const std::string& v) { value = v; });
  auto* edit = qobject_cast<QLineEdit*>(dialog.control(121));
  EXPECT_EQ(edit->text(), "alt");
  value = "neu";
  EXPECT_EQ(edit->text(), "alt");
  gui::CTRLREFRESH(dialog, {121});
  EXPECT_EQ(edit->text(), "neu");
  EXPECT_EQ(value, "neu");  // a refresh is no edit
}

TEST(DialogUnits, MapBothCornersRoundingToTheNearestPixel) {
  gui::DialogUnits units{7, 13};
  // Left 126 * 7 / 4 = 220.5, right 375 * 7 / 4 = 656.25; top 4 * 13 / 8 = 6.5,
  // bottom 18 * 13 / 8 = 29.25.
  EXPECT_EQ(units.rect(126, 4, 249, 14), QRect(221, 7, 435, 22));
  EXPECT_EQ(units.x(0), 0);
}

TEST(TemplateDialog, PlacesControlsAndSizesItselfInUnitsOfItsFont) {
  gui::TemplateDialog dialog(gui::templates::EIN_DATEN());
  const gui::DialogUnits& units = dialog.units();
  QFontMetrics metrics(dialog.font());
  EXPECT_EQ(units.baseY, metrics.height());
  EXPECT_GT(units.baseX, 0);
  EXPECT_EQ(dialog.size(), QSize(units.x(435), units.y(285)));
  EXPECT_EQ(dialog.control(121)->geometry(), units.rect(126, 4, 249, 14));
  EXPECT_EQ(dialog.control(111)->geometry(), units.rect(315, 261, 54, 15));
  EXPECT_EQ(dialog.windowTitle(), "Datanorm Import Voreinstellungen");
  // Group frames come last in the template but must not cover the controls inside them.
  QWidget* radio = dialog.control(154);
  EXPECT_EQ(dialog.childAt(radio->geometry().center()), radio);
}

}  // namespace
