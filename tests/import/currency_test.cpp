#include "import/currency.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "import/import_env.h"

namespace {

using ui::Message;

class CurrencyTest : public importtest::ImportTest {
 protected:
  CurrencyTest() { dnorm::WGINIT(false); }
};

TEST_F(CurrencyTest, ConversionsWithinOneBase) {
  EXPECT_EQ(dnorm::WGINIT(), base::ansi("Euro-Waehrungsgebiet"));
  EXPECT_EQ(dnorm::WGHAUPT(), "EUR");
  EXPECT_EQ(dnorm::WGZWEIT(), "DEM");
  EXPECT_EQ(dnorm::WGITEMS(), (std::vector<std::string>{"EUR", "DEM"}));
  EXPECT_DOUBLE_EQ(dnorm::WGWERTROUND(195.583, "DEM", "EUR"), 100);
  EXPECT_EQ(dnorm::WGWERT(10, "EUR", "CHF"), 9.41);
  EXPECT_EQ(dnorm::WGWERTROUND(10, "EUR", "CHF", 3), 9.412);
  EXPECT_EQ(dnorm::WGANZEIGE("EUR"), "\x80");
  EXPECT_EQ(dnorm::WGANZEIGE("GBP"), "GBP");
  EXPECT_EQ(dnorm::WGLAND("GBP"), " ");
  EXPECT_EQ(dnorm::WGBASIS("XUS"), "USD");
  EXPECT_TRUE(messages().empty());
}

TEST_F(CurrencyTest, MissingOrForeignCurrenciesLeaveTheAmountWithAMessage) {
  const std::string title = base::ansi("Euro Währungen");
  struct Case {
    std::string from, to, text;
  };
  const Case cases[] = {
      {"GBP", "EUR",
       base::ansi("Eine gesuchte Währung (GBP,EUR) ist in der Umrechnungstabelle nicht vorhanden")},
      {"eur", "EUR",
       base::ansi("Eine gesuchte Währung (eur,EUR) ist in der Umrechnungstabelle nicht vorhanden")},
      {"EUR ", "EUR",
       base::ansi(
           "Eine gesuchte Währung (EUR ,EUR) ist in der Umrechnungstabelle nicht vorhanden")},
      {"XUS", "EUR",
       base::ansi("Die gesuchten Währungen verwenden eine unterschiedliche Basis und können somit "
                  "nicht umgerechnet werden.")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dnorm::WGWERTROUND(12.345, c.from, c.to), 12.345);
    EXPECT_EQ(messages().back(), (Message{Message::Kind::Information, title, c.text, {}}));
  }
  // Equal codes are not looked up at all.
  size_t shown = messages().size();
  EXPECT_EQ(dnorm::WGWERTROUND(12.345, "GBP", "GBP", 2), 12.35);
  EXPECT_EQ(messages().size(), shown);
}

TEST_F(CurrencyTest, MainCurrencyComesFreshFromTheIniFile) {
  testsupport::writeFile(m_lgw / "winlgw.ini", "[Allgemein]\r\nWaehrung = GBP \r\n");
  EXPECT_EQ(dnorm::WGHAUPT(), "GBP");
  EXPECT_EQ(dnorm::WGITEMS(), std::vector<std::string>{"GBP"});
  EXPECT_EQ(dnorm::WGINIT(), "");
  EXPECT_EQ(messages().back().title, base::ansi("Euro Währungen"));
  EXPECT_EQ(messages().back().text,
            base::ansi("Hauptwährung: GBP\r\n nicht in Währungstabelle enthalten!"));
  std::filesystem::remove(m_lgw / "winlgw.ini");
  EXPECT_EQ(dnorm::WGHAUPT(), "");
}

TEST_F(CurrencyTest, FileInTheMainCurrencyNeedsNoLookup) {
  testsupport::writeFile(m_lgw / "winlgw.ini", "[Allgemein]\r\nWaehrung=GBP\r\n");
  ASSERT_TRUE(runImport(0, {importtest::header("GBP"), "A;N;1;00;Eins;;1;0;St;1000;;;"}));
  // Only the check of WGINIT speaks; the import itself converts nothing.
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1].text, "Import ist beendet");
  EXPECT_EQ(article("1").at("WG_IATA"), "GBP");
  EXPECT_EQ(article("1").at("NETTO"), "10.00");
}

}  // namespace
