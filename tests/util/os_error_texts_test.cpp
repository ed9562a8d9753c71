#include "util/os_error_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "base/cp1252.h"
#include "ui/scripted_port.h"

namespace {

const std::string kUnknown = "unbekannter Fehler";

bool endsWith(const std::string& text, const std::string& end) {
  return text.ends_with(end);
}

TEST(DosFehler, GivesTheGermanTextOfEveryCode) {
  EXPECT_EQ(util::DOSFEHLER(5), "DOS-Fehler: 5\r\nZugriff verweigert");
  EXPECT_EQ(util::DOSFEHLER(7), base::ansi("DOS-Fehler: 7\r\nSpeicherkontrollblöcke  zerstört"));
  EXPECT_EQ(util::DOSFEHLER(36),
            base::ansi("DOS-Fehler: 36\r\nÜberlauf bei gemeinsamer Pufferbenutzung"));
  EXPECT_EQ(util::DOSFEHLER(88), "DOS-Fehler: 88\r\nNetzwerkeinheit fehlerhaft");
  EXPECT_EQ(util::DOSFEHLER(0), "DOS-Fehler: 0\r\n" + kUnknown);
  EXPECT_EQ(util::DOSFEHLER(-3), "DOS-Fehler: -3\r\n" + kUnknown);

  // Exactly these codes of 1 to 88 have no text of their own.
  std::set<int> unknown;
  for (int code = 1; code <= 88; ++code) {
    if (endsWith(util::DOSFEHLER(code), "\r\n" + kUnknown)) unknown.insert(code);
  }
  std::set<int> expected = {14, 81};
  for (int code = 37; code <= 49; ++code) expected.insert(code);
  for (int code = 73; code <= 79; ++code) expected.insert(code);
  EXPECT_EQ(unknown, expected);
  EXPECT_EQ(88 - unknown.size(), 66u);
}

TEST(DosFehler, FcheckReportsOnlyNegativeResults) {
  ui::ScriptedPort port;
  ui::PortScope scope(port);
  EXPECT_TRUE(util::FCHECK(0));
  EXPECT_TRUE(util::FCHECK(12));
  EXPECT_TRUE(port.messages().empty());

  EXPECT_FALSE(util::FCHECK(-1));
  EXPECT_FALSE(util::FCHECK(-32));
  const std::vector<ui::Message> expected = {
      {ui::Message::Kind::Information, "Dateifehler",
       base::ansi("DOS-Fehler: 1\r\nUngültige Funktionsnummer"), std::nullopt},
      {ui::Message::Kind::Information, "Dateifehler",
       base::ansi("DOS-Fehler: 32\r\nUngültige Share-Operation"), std::nullopt},
  };
  EXPECT_EQ(port.messages(), expected);
}

TEST(DosFehler, ProgramStartAndPortTexts) {
  ui::ScriptedPort port;
  ui::PortScope scope(port);
  EXPECT_TRUE(util::SHOWWINERROR(2, "calc.exe"));
  EXPECT_TRUE(util::SHOWWINERROR(99, "x.dll"));
  ASSERT_EQ(port.messages().size(), 2u);
  EXPECT_EQ(port.messages()[0],
            (ui::Message{ui::Message::Kind::Stop, "Resource Lade-Fehler",
                         "calc.exe\r\rDatei nicht gefunden.\rBitte kontrollieren Sie, ob die Datei "
                         "vorhanden ist.",
                         std::nullopt}));
  EXPECT_EQ(port.messages()[1].text, "x.dll\r\rUnbekannter Fehler beim Laden der Datei");

  EXPECT_EQ(util::ERROPENCOM(-2), base::ansi("die Schnittstelle ist bereits geöffnet"));
  EXPECT_EQ(util::ERROPENCOM(-12), "ung\xFCltige Angabe der Baud-Rate");
  EXPECT_EQ(util::ERROPENCOM(-6),
            base::ansi("Unbekannter Fehler beim Öffnen der seriellen Schnittstelle"));
}

}  // namespace
