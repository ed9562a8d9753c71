#include <gtest/gtest.h>

#include "import/import_env.h"
#include "import/import_tables.h"
#include "import/currency.h"
#include "import/price_calc.h"
#include "import/table_access.h"
#include "tables/net.h"

namespace {

using dnorm::Art;
using importtest::header;
using importtest::Record;
using Values = std::map<std::string, std::string>;

class PriceTest : public importtest::ImportTest {
 protected:
  // Opens the tables as a run does and stands locked on the article, so that the price
  // operations can be called one by one.
  dnorm::ArticleRow& onArticle(const importtest::Fields& fields) {
    addArticle(fields);
    EXPECT_TRUE(dnorm::DBFOPEN());
    EXPECT_TRUE(dnorm::LGWOPEN());
    dnorm::ArticleRow& row = dnorm::articleRow();
    EXPECT_TRUE(dnorm::seekKey(row.table(), "1              "));
    tables::OnAlias on("ARTIKEL");
    EXPECT_TRUE(tables::NETRLOCK());
    return row;
  }
  // Writes the row, closes the run's tables and reads the article back.
  Values stored(const std::vector<std::string>& fields) {
    {
      tables::OnAlias on("ARTIKEL");
      tables::NETUNLOCK();
    }
    dnorm::LGWCLOSE();
    Record a = article("1");
    Values picked;
    for (const std::string& f : fields) picked[f] = a.at(f);
    return picked;
  }
  // A price-maintenance run of these records.
  void maintain(const std::vector<std::string>& records) {
    std::vector<std::string> lines{header()};
    lines.insert(lines.end(), records.begin(), records.end());
    ASSERT_TRUE(runImport(2, lines, "DATPREIS.001"));
  }
};

// The worked example: a price block of 100.00 with 20 % discount and a multiplier of 0.9.
TEST_F(PriceTest, WorkedExampleToTheCent) {
  const importtest::Fields article = {{"NUMMER", "1"},    {"MWST", "19"},     {"PREIS_STCK", "60"},
                                      {"WG_IATA", "EUR"}, {"MIT_MENGE", "T"}, {"SCHLUESSEL", "100"},
                                      {"BESTAND", "250"}, {"ARTRAB2", "10"},  {"KALK_FAKT3", "50"}};
  addArticle(article);
  maintain({"P;A;1;1;10000;1;2000;2;900;;;"});
  EXPECT_EQ(loggedErrors(), std::vector<std::string>{});
  EXPECT_EQ(articleFields("1", {"LETZTEK", "PREIS_STCK", "NETTO", "BRUTTO", "KALK_FAKT", "PREIS2",
                                "NETTO2", "KALK_FAKT2", "WERT", "DATANORM", "LETZTDAT"}),
            (Record{{"LETZTEK", "60.00"},
                    {"PREIS_STCK", "72.00"},
                    {"NETTO", "100.00"},
                    {"BRUTTO", "119.00"},
                    {"KALK_FAKT", "38.889"},
                    {"PREIS2", "107.10"},
                    {"NETTO2", "90.00"},
                    {"KALK_FAKT2", "25.000"},
                    {"WERT", "180.00"},
                    {"DATANORM", "P"},
                    {"LETZTDAT", "20240315"}}));

  emptyArticles();
  addArticle(article);
  setSetting("Preis2_5", "2");
  maintain({"P;A;1;1;10000;1;2000;2;900;;;"});
  EXPECT_EQ(articleFields("1", {"NETTO3", "PREIS3", "ARTRAB3"}),
            (Record{{"NETTO3", "108.00"}, {"PREIS3", "128.52"}, {"ARTRAB3", "-8.00"}}));
}

TEST_F(PriceTest, BaseCalculationLimits) {
  struct Case {
    const char* what;
    importtest::Fields article;
    bool netGiven;
    Values expected;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"no purchase price",
       {{"NUMMER", "1"}, {"NETTO", "100"}, {"MWST", "19"}},
       true,
       {{"KALK_FAKT", "0.000"}, {"BRUTTO", "119.00"}},
       {}},
      {"markup far too high",
       {{"NUMMER", "1"}, {"PREIS_STCK", "0.01"}, {"NETTO", "1000"}, {"MWST", "19"}},
       true,
       {{"KALK_FAKT", "9999.000"}},
       {"601"}},
      {"markup far too low",
       {{"NUMMER", "1"}, {"PREIS_STCK", "1000"}, {"NETTO", "-10000"}, {"MWST", "0"}},
       true,
       {{"KALK_FAKT", "-999.000"}},
       {"601"}},
      {"gross too large",
       {{"NUMMER", "1"}, {"PREIS_STCK", "900000"}, {"NETTO", "900000"}, {"MWST", "19"}},
       true,
       {{"BRUTTO", "999999.99"}},
       {"602"}},
      {"gross given",
       {{"NUMMER", "1"}, {"PREIS_STCK", "50"}, {"BRUTTO", "119"}, {"MWST", "19"}},
       false,
       {{"NETTO", "100.00"}, {"BRUTTO", "119.00"}, {"KALK_FAKT", "100.000"}},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    emptyArticles();
    size_t logged = loggedErrors().size();
    dnorm::ArticleRow& row = onArticle(c.article);
    dnorm::LAKALK(row, c.netGiven);
    std::vector<std::string> fields;
    for (const auto& [field, value] : c.expected) fields.push_back(field);
    EXPECT_EQ(stored(fields), c.expected);
    std::vector<std::string> errors = loggedErrors();
    EXPECT_EQ(std::vector<std::string>(errors.begin() + static_cast<long>(logged), errors.end()),
              c.errors);
  }
}

TEST_F(PriceTest, LevelPrices) {
  // Without a purchase price every level becomes 0, whatever the mode.
  dnorm::ArticleRow& row = onArticle({{"NUMMER", "1"},
                                      {"NETTO", "100"},
                                      {"NETTO2", "90"},
                                      {"PREIS3", "50"},
                                      {"ARTRAB4", "5"},
                                      {"KALK_FAKT5", "3"}});
  dnorm::LAKALK2_5(row, 3);
  EXPECT_EQ(
      stored({"NETTO2", "PREIS3", "ARTRAB4", "KALK_FAKT5"}),
      (Values{
          {"NETTO2", "0.00"}, {"PREIS3", "0.00"}, {"ARTRAB4", "0.00"}, {"KALK_FAKT5", "0.000"}}));

  // The level discount: 0 from twice NETTO on.
  emptyArticles();
  dnorm::ArticleRow& levels = onArticle({{"NUMMER", "1"},
                                         {"PREIS_STCK", "50"},
                                         {"NETTO", "100"},
                                         {"MWST", "19"},
                                         {"NETTO2", "250"},
                                         {"NETTO3", "199.99"},
                                         {"NETTO4", "200"},
                                         {"NETTO5", "80"}});
  dnorm::LAKALK2_5(levels, 4);
  EXPECT_EQ(stored({"ARTRAB2", "ARTRAB3", "ARTRAB4", "ARTRAB5", "PREIS5", "KALK_FAKT5"}),
            (Values{{"ARTRAB2", "0.00"},
                    {"ARTRAB3", "-99.99"},
                    {"ARTRAB4", "0.00"},
                    {"ARTRAB5", "20.00"},
                    {"PREIS5", "95.20"},
                    {"KALK_FAKT5", "60.000"}}));

  // Mode 3 keeps the gross prices; an unknown mode changes nothing.
  emptyArticles();
  dnorm::ArticleRow& gross = onArticle({{"NUMMER", "1"},
                                        {"PREIS_STCK", "50"},
                                        {"NETTO", "100"},
                                        {"MWST", "19"},
                                        {"PREIS2", "107.10"},
                                        {"NETTO3", "1"}});
  dnorm::LAKALK2_5(gross, 3);
  dnorm::LAKALK2_5(gross, 7);
  EXPECT_EQ(stored({"NETTO2", "ARTRAB2", "KALK_FAKT2"}),
            (Values{{"NETTO2", "90.00"}, {"ARTRAB2", "10.00"}, {"KALK_FAKT2", "80.000"}}));

  // One level from a net price.
  emptyArticles();
  dnorm::ArticleRow& single =
      onArticle({{"NUMMER", "1"}, {"PREIS_STCK", "0"}, {"NETTO", "100"}, {"MWST", "19"}});
  dnorm::KALKHD(single, 4, 85);
  dnorm::KALKHD(single, 1, 10);
  EXPECT_EQ(stored({"NETTO4", "PREIS4", "KALK_FAKT4", "ARTRAB4", "NETTO"}),
            (Values{{"NETTO4", "85.00"},
                    {"PREIS4", "101.15"},
                    {"KALK_FAKT4", "0.000"},
                    {"ARTRAB4", "15.00"},
                    {"NETTO", "100.00"}}));
}

TEST_F(PriceTest, StockValue) {
  dnorm::WGINIT(false);  // the currencies of the merchandise folder, as a run loads them
  EXPECT_EQ(dnorm::E_RECHNEPREIS(1000, 45, 10), 0.45);
  EXPECT_EQ(dnorm::E_RECHNEPREIS(0, 45, 10), 450);
  EXPECT_EQ(dnorm::E_RECHNEPREIS(-5, 1.005, 1), 1.005);  // unit 1: unrounded
  EXPECT_EQ(dnorm::E_RECHNEPREIS(100, 72, 250), 180);

  struct Case {
    const char* what;
    importtest::Fields article;
    std::string wert;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"not stock-kept",
       {{"NUMMER", "1"}, {"PREIS_STCK", "10"}, {"BESTAND", "5"}, {"MIT_MENGE", "F"}, {"WERT", "7"}},
       "0.00",
       {}},
      {"in another currency",
       {{"NUMMER", "1"},
        {"PREIS_STCK", "195.58"},
        {"BESTAND", "1"},
        {"MIT_MENGE", "T"},
        {"WG_IATA", "DEM"},
        {"SCHLUESSEL", "1"}},
       "100.00",
       {}},
      {"too large",
       {{"NUMMER", "1"},
        {"PREIS_STCK", "9999999"},
        {"BESTAND", "99999999"},
        {"MIT_MENGE", "T"},
        {"WG_IATA", "EUR"}},
       "999999999.99",
       {"611"}},
      {"too small",
       {{"NUMMER", "1"},
        {"PREIS_STCK", "9999999"},
        {"BESTAND", "-9999999"},
        {"MIT_MENGE", "T"},
        {"WG_IATA", "EUR"}},
       "-99999999.99",
       {"612"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    emptyArticles();
    size_t logged = loggedErrors().size();
    dnorm::ArticleRow& row = onArticle(c.article);
    dnorm::LAWARENWERT(row);
    EXPECT_EQ(stored({"WERT"}), (Values{{"WERT", c.wert}}));
    std::vector<std::string> errors = loggedErrors();
    EXPECT_EQ(std::vector<std::string>(errors.begin() + static_cast<long>(logged), errors.end()),
              c.errors);
  }
}

TEST_F(PriceTest, ValueTooLargeForItsFieldIsClampedAndReported) {
  dnorm::ArticleRow& row = onArticle({{"NUMMER", "1"}});
  row.setNumber(Art::kKalkFakt2, 123456.7);
  EXPECT_EQ(stored({"KALK_FAKT2"}), (Values{{"KALK_FAKT2", "9999.999"}}));
  std::vector<Record> log = ownRows("DNORMERR");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].at("FEHLERNR"), "620");
  EXPECT_NE(log[0].at("FEHLER").find("(KALK_FAKT2=123456.700)"), std::string::npos);
}

TEST_F(PriceTest, ChangedArticleOnlyIntoOneLevel) {
  addArticle({{"NUMMER", "1"},
              {"PREIS_STCK", "50"},
              {"NETTO", "100"},
              {"BRUTTO", "119"},
              {"MWST", "19"},
              {"WG_IATA", "EUR"},
              {"SCHLUESSEL", "1"}});
  setSetting("nur Preis 2/3/4/5", "3");
  ASSERT_TRUE(runImport(0, {header(), "A;A;1;;;;1;2;;8000;;;"}));
  Record a = article("1");
  EXPECT_EQ(a["NETTO3"], "80.00");
  EXPECT_EQ(a["PREIS3"], "95.20");
  EXPECT_EQ(a["KALK_FAKT3"], "60.000");
  EXPECT_EQ(a["ARTRAB3"], "20.00");
  EXPECT_EQ(a["SCHLUESSEL"], "100");
  EXPECT_EQ(a["NETTO"], "100.00");
  EXPECT_EQ(a["PREIS_STCK"], "50.00");
  EXPECT_EQ(a["LETZTDAT"], "");
}

TEST_F(PriceTest, ChangedArticleBySettings) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> settings;
    std::string record;
    Values expected;
  };
  const Case cases[] = {
      {"list price as purchase price only",
       {{"Brutto", "N"}},
       "A;A;1;;;;1;0;;1000;;;",
       {{"PREIS_STCK", "10.00"},
        {"LETZTEK", "50.00"},
        {"NETTO", "200.00"},
        {"KALK_FAKT", "1900.000"}}},
      {"list price as gross price",
       {{"Brutto", "N"}, {"BruttoEK", "N"}, {"Brutto2Brutto", "J"}},
       "A;A;1;;;;1;0;;11900;;;",
       {{"PREIS_STCK", "50.00"},
        {"BRUTTO", "119.00"},
        {"NETTO", "100.00"},
        {"LETZTDAT", "20240315"}}},
      {"net price but no net setting",
       {{"NettoEK", "N"}, {"Netto", "N"}},
       "A;A;1;;;;2;0;;1000;;;",
       {{"PREIS_STCK", "50.00"}, {"NETTO", "200.00"}, {"LETZTDAT", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    emptyArticles();
    addArticle({{"NUMMER", "1"},
                {"PREIS_STCK", "50"},
                {"NETTO", "200"},
                {"MWST", "19"},
                {"WG_IATA", "EUR"}});
    for (const auto& [key, value] : c.settings) setSetting(key, value);
    ASSERT_TRUE(runImport(0, {header(), c.record}));
    Record a = article("1");
    for (const auto& [field, value] : c.expected) EXPECT_EQ(a.at(field), value) << field;
    for (const char* key : {"BruttoEK", "Brutto", "NettoEK", "Netto"}) setSetting(key, "J");
    for (const char* key : {"Brutto2Brutto", "Netto2Brutto"}) setSetting(key, "N");
  }
}

}  // namespace
