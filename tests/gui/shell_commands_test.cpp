#include "gui/shell_commands.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "gui/help_viewer.h"
#include "gui_test_util.h"

namespace {

class ShellCommandsTest : public ::testing::Test, public guitest::ProgramDirFixture {};

TEST_F(ShellCommandsTest, MissingDocumentationFallsBackToHelpAndMissingHelpIsNamed) {
  gui::DOKUMENTATION(nullptr);
  ASSERT_EQ(port().messages().size(), 2u);
  const ui::Message& note = port().messages()[0];
  EXPECT_EQ(note.kind, ui::Message::Kind::Information);
  EXPECT_EQ(note.title, "Hinweis");
  EXPECT_EQ(note.text, base::ansi("Die Dokumentation ist nicht vefügbar. Stattdessen wird "
                                  "versucht, die Hilfe zu öffnen.\r\n" +
                                  path("QMT Datanorm.pdf").string()));
  const ui::Message& help = port().messages()[1];
  EXPECT_EQ(help.kind, ui::Message::Kind::Stop);
  EXPECT_NE(help.text.find(path("Datanorm.hlp").string()), std::string::npos);
}

TEST_F(ShellCommandsTest, HelpOpensOnTheDocumentFoundWhateverItsCase) {
  testsupport::writeFile(path("DATANORM.HLP"),
                         "<h2 id=\"a\">Voreinstellungen</h2><p>Pfad und Preise</p>"
                         "<h2 id=\"b\">Programm beenden</h2><p>Die Frage vor dem Beenden.</p>");
  gui::HILFESUCHEN(nullptr);
  EXPECT_TRUE(port().messages().empty());
  auto viewers = QApplication::topLevelWidgets();
  auto it = std::find_if(viewers.begin(), viewers.end(),
                         [](QWidget* w) { return qobject_cast<gui::HelpViewer*>(w); });
  ASSERT_NE(it, viewers.end());
  auto* viewer = qobject_cast<gui::HelpViewer*>(*it);
  EXPECT_EQ(viewer->search(""), (QStringList{"Voreinstellungen", "Programm beenden"}));
  EXPECT_EQ(viewer->search("PREISE"), QStringList{"Voreinstellungen"});
  EXPECT_EQ(viewer->search("frage beenden"), QStringList{"Programm beenden"});
  EXPECT_TRUE(viewer->search("Rabatt").isEmpty());
  viewer->close();
}

TEST(HelpTopics, EachSecondLevelHeadingWithAnIdStartsATopic) {
  auto topics = gui::helpTopics(
      "<h1>Titel</h1><h2 id=\"x\">Erstes <b>Thema</b></h2>eins<H2 ID=\"y\">Zweites</H2>zwei");
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].anchor, "x");
  EXPECT_EQ(topics[0].title, "Erstes Thema");
  EXPECT_TRUE(topics[0].text.contains("eins"));
  EXPECT_FALSE(topics[0].text.contains("zwei"));
  EXPECT_EQ(topics[1].title, "Zweites");
}

}  // namespace
