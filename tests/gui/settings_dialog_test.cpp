#include "gui/settings_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "base/cp1252.h"
#include "gui/dialog_templates.h"
#include "gui_test_util.h"
#include "settings/cache.h"

namespace {

using settings::Value;

Value number(double n, int decimals = 0) {
  return base::Decimal{n, decimals};
}

QAbstractButton* button(gui::TemplateDialog& dialog, int id) {
  return qobject_cast<QAbstractButton*>(dialog.control(id));
}

// The lines of section [Voreinstellungen] as the INI file holds them.
std::vector<std::string> storedEntries(const std::string& ini) {
  std::vector<std::string> lines;
  size_t pos = ini.find("[Voreinstellungen]\r\n");
  if (pos == std::string::npos) return lines;
  pos += std::string("[Voreinstellungen]\r\n").size();
  while (pos < ini.size() && ini[pos] != '[') {
    size_t end = ini.find("\r\n", pos);
    lines.push_back(ini.substr(pos, end - pos));
    pos = end == std::string::npos ? ini.size() : end + 2;
  }
  return lines;
}

class SettingsDialogTest : public ::testing::Test, public guitest::ProgramDirFixture {};

TEST_F(SettingsDialogTest, MatchcodeIsEnabledOnlyWhileTheEanGoesIntoArticleNumberOrEan) {
  writeIni("[Voreinstellungen]\r\nEan=2\r\nMatch=J\r\n");
  gui::SettingsDialog dialog(false, {}, nullptr);
  QAbstractButton* matchcode = button(dialog, 155);
  EXPECT_FALSE(matchcode->isEnabled());

  const std::pair<int, bool> clicks[] = {{154, true}, {152, false}, {153, true}, {151, false}};
  for (auto [radio, enabled] : clicks) {
    button(dialog, radio)->click();
    EXPECT_EQ(matchcode->isEnabled(), enabled) << "after clicking " << radio;
    EXPECT_TRUE(matchcode->isChecked());  // the tick survives being disabled
  }
  EXPECT_EQ(dialog.workingCopy()[9], number(1));
  EXPECT_EQ(dialog.workingCopy()[10], Value(true));
}

TEST_F(SettingsDialogTest, RadioGroupsSelectByValueAndExcludeOnlyWithinTheirGroup) {
  writeIni("[Voreinstellungen]\r\nLoeschen=0\r\nPreis2_5=7\r\nWg=1\r\n");
  gui::SettingsDialog dialog(false, {}, nullptr);
  // A stored 0 opens as the first choice; a 7 opens with no button selected and stays 7.
  EXPECT_TRUE(button(dialog, 161)->isChecked());
  EXPECT_EQ(dialog.workingCopy()[16], number(1));
  for (int id : {311, 312, 313, 314}) EXPECT_FALSE(button(dialog, id)->isChecked()) << id;
  EXPECT_EQ(dialog.workingCopy()[15], number(7));

  button(dialog, 313)->click();
  EXPECT_EQ(dialog.workingCopy()[15], number(3));
  button(dialog, 144)->click();
  EXPECT_FALSE(button(dialog, 143)->isChecked());
  EXPECT_EQ(dialog.workingCopy()[8], number(2));
  // Other groups keep their selection.
  EXPECT_TRUE(button(dialog, 313)->isChecked());
  EXPECT_TRUE(button(dialog, 161)->isChecked());
}

TEST_F(SettingsDialogTest, DropDownValueIsThePositionOfTheEntry) {
  writeIni("[Voreinstellungen]\r\nnur Preis 2/3/4/5=3\r\n");
  gui::SettingsDialog dialog(false, {}, nullptr);
  auto* list = qobject_cast<QComboBox*>(dialog.control(350));
  EXPECT_EQ(list->currentText(), "3");

  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentText(), "4");
  EXPECT_EQ(dialog.workingCopy()[18], number(4));
  QTest::keyClick(list, Qt::Key_Home);
  EXPECT_EQ(list->currentText(), "0");
  EXPECT_EQ(dialog.workingCopy()[18], number(1));
}

TEST_F(SettingsDialogTest, BrowseTakesTheFolderOfTheChosenFilePaddedTo66) {
  gui::SettingsDialog dialog(false, {}, nullptr);
  port().answerFile(std::filesystem::path("/srv/Waren/Daten/artikel.dbf"));
  button(dialog, 122)->click();
  std::string expected = "/srv/Waren/Daten/" + std::string(66 - 17, ' ');
  EXPECT_EQ(dialog.workingCopy()[0], Value(expected));
  EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.control(121))->text(), "/srv/Waren/Daten/");
  ASSERT_EQ(port().choices().size(), 1u);
  EXPECT_EQ(port().choices()[0].title, base::ansi("Bitte Artikel.dbf der LGW auswählen"));
  EXPECT_EQ(port().choices()[0].filters[0].pattern, "Artikel.*");

  port().answerFile(std::nullopt);
  button(dialog, 122)->click();
  EXPECT_EQ(dialog.workingCopy()[0], Value(expected));
}

TEST_F(SettingsDialogTest, EntryFieldsEditTheTextInPlaceAtItsOpeningLength) {
  writeIni("[Voreinstellungen]\r\nLieferant=K1\r\n");
  gui::SettingsDialog dialog(false, {}, nullptr);
  auto* supplier = qobject_cast<QLineEdit*>(dialog.control(132));
  EXPECT_EQ(supplier->text(), "K1");
  EXPECT_EQ(supplier->maxLength(), 10);
  QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QString::fromUtf8("ä"));
  QApplication::sendEvent(supplier, &umlaut);
  EXPECT_EQ(dialog.workingCopy()[2], Value(base::ansi("K1ä") + std::string(7, ' ')));

  auto* rate = qobject_cast<QLineEdit*>(dialog.control(134));
  EXPECT_EQ(rate->text(), "19.00 %");
  rate->selectAll();
  QTest::keyClicks(rate, "0750");
  EXPECT_EQ(dialog.workingCopy()[3], number(7.5, 2));
}

TEST_F(SettingsDialogTest, CancelStoresNothing) {
  std::string before = "[Voreinstellungen]\r\nEan=2\r\nIndex=N\r\n";
  writeIni(before);
  guitest::whenModal([](QWidget* w) {
    auto& dialog = *static_cast<gui::TemplateDialog*>(w);
    button(dialog, 154)->click();
    button(dialog, 123)->click();
    button(dialog, 110)->click();
  });
  EXPECT_FALSE(gui::EINDATEN(nullptr));
  EXPECT_EQ(ini(), before);
}

TEST_F(SettingsDialogTest, ConfirmStoresAll21AndReloadsTheCache) {
  writeIni("[Voreinstellungen]\r\nMwst=16\r\nLoeschen=0\r\n");
  settings::GETVORFELD(0, true);
  guitest::whenModal([](QWidget* w) {
    auto& dialog = *static_cast<gui::TemplateDialog*>(w);
    button(dialog, 154)->click();
    QTest::keyClick(w, Qt::Key_Return);  // the default button
  });
  EXPECT_TRUE(gui::EINDATEN(nullptr));

  // Untouched values keep the form the file gave them (16, not 16.00); a 0 of a radio
  // group was opened as 1 and is saved so.
  std::vector<std::string> expected = {
      "Mwst=16",
      "Loeschen=1",
      "Pfad=" + std::string(80, ' '),
      "Index=N",
      "Lieferant=" + std::string(10, ' '),
      "Langtext=J",
      "Warengruppe=N",
      "Menge=J",
      "Rabatt=J",
      "Wg=2",
      "Ean=4",
      "Match=J",
      "BruttoEK=J",
      "Brutto=J",
      "NettoEK=J",
      "Netto=J",
      "Preis2_5=1",
      "Aktualisieren=N",
      "nur Preis 2/3/4/5=1",
      "Brutto2Brutto=N",
      "Netto2Brutto=N",
  };
  EXPECT_EQ(storedEntries(ini()), expected);
  EXPECT_EQ(settings::GETVORFELD(10), number(4));
}

TEST_F(SettingsDialogTest, ContinueModeConfirmsWithWeiter) {
  gui::SettingsDialog plain(false, {}, nullptr);
  gui::SettingsDialog continuing(true, {}, nullptr);
  EXPECT_EQ(button(plain, 111)->text(), "&OK");
  EXPECT_EQ(button(continuing, 111)->text(), "&Weiter");
  EXPECT_TRUE(port().messages().empty());
}

TEST_F(SettingsDialogTest, ProductGroupButtonOpensTheBrowser) {
  int opened = 0;
  gui::SettingsDialog dialog(
      false, [&opened] { ++opened; }, nullptr);
  button(dialog, 137)->click();
  EXPECT_EQ(opened, 1);
}

}  // namespace
