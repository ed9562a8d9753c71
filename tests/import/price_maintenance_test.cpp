#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "import/import_env.h"

namespace {

using importtest::header;
using importtest::Record;
using ui::Answer;

class PriceMaintenanceTest : public importtest::ImportTest {
 protected:
  PriceMaintenanceTest() {
    for (const char* number : {"A1", "A2", "A3"}) {
      addArticle({{"NUMMER", number},
                  {"PREIS_STCK", "50"},
                  {"NETTO", "100"},
                  {"MWST", "19"},
                  {"WG_IATA", "EUR"}});
    }
  }
  void maintain(const std::vector<std::string>& records) {
    std::vector<std::string> lines{header()};
    lines.insert(lines.end(), records.begin(), records.end());
    ASSERT_TRUE(runImport(2, lines, "DATPREIS.001"));
  }
  std::string field(const std::string& number, const std::string& name) {
    return article(number).at(name);
  }
};

TEST_F(PriceMaintenanceTest, BlocksOfARecordAreHandledOneByOne) {
  maintain({"P;A;A1;1;2000;;;;;;;", "P;A;A2;3;2000;;;;;;;A3;2;3000;;;;;;;",
            "P;A;NICHTDA;1;100;;;;;;;A1;1;;;;;;;;",
            "P;A;A2;1;1000;1;1000;0;RG1;;;A3;1;1000;;;2;500;;"});
  EXPECT_EQ(progress().texts[302], "4");
  EXPECT_EQ(progress().texts[301], "P");
  EXPECT_EQ(progress().texts[403], base::ansi("Preisänderung"));
  EXPECT_EQ(progress().texts[404], "A3             ");
  EXPECT_EQ(messages().back().text, base::ansi("Import der Preisänderungen ist beendet"));
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"402", "401", "403", "501"}));
  std::vector<Record> log = ownRows("DNORMERR");
  EXPECT_EQ(log[0].at("FEHLER"), base::ansi("Preisänderung: ungültiges Preiskennzeichen(3)"));
  EXPECT_EQ(log[0].at("ARTIKEL"), "A2");
  EXPECT_EQ(log[3].at("FEHLER"), base::ansi("Ungültige Rabattart, Preise unverändert(0)"));
  // A1 from the first line; A2 rejected twice (flag 3, then a group kind in pair 2); A3 from
  // the second line, its later block without discount because pair 1 is empty.
  EXPECT_EQ(field("A1", "PREIS_STCK"), "20.00");
  EXPECT_EQ(field("A1", "DATANORM"), "P");
  EXPECT_EQ(field("A2", "PREIS_STCK"), "50.00");
  EXPECT_EQ(field("A2", "DATANORM"), "");
  EXPECT_EQ(field("A3", "PREIS_STCK"), "10.00");
  EXPECT_EQ(field("A3", "LETZTEK"), "30.00");
}

TEST_F(PriceMaintenanceTest, SameArticleTwiceInOneLine) {
  maintain({"P;A;A1;1;2000;;;;;;;A1;2;3000;1;1000;;;;;"});
  EXPECT_EQ(field("A1", "LETZTEK"), "20.00");
  EXPECT_EQ(field("A1", "PREIS_STCK"), "27.00");
  EXPECT_EQ(field("A1", "NETTO"), "30.00");
}

TEST_F(PriceMaintenanceTest, DiscountGroupsInTheFirstPair) {
  addRow("DNORMRAB", {{"RABATTGRUP", "RG1"}, {"TEXT", "Rohre"}, {"MULTI", "0.75"}});
  maintain({"P;A;A1;1;1000;0;RG1;1;1000;;;", "P;A;A2;1;1000;0;XY;;;;;"});
  EXPECT_EQ(field("A1", "PREIS_STCK"), "6.75");
  // A group that is not stored reports 80 and counts as multiplier 1.
  EXPECT_EQ(field("A2", "PREIS_STCK"), "10.00");
  std::vector<Record> log = ownRows("DNORMERR");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].at("FEHLERNR"), "80");
  EXPECT_EQ(log[0].at("FEHLER"), "Rabattgruppe nicht gefunden, Multiplikator 1 verwendet(XY  )");
  EXPECT_EQ(log[0].at("ARTIKEL"), "");  // below 100: no article
}

TEST_F(PriceMaintenanceTest, OnlyOneLevelWithSetting19) {
  setSetting("nur Preis 2/3/4/5", "4");
  maintain({"P;A;A1;1;10000;1;2000;;;;;"});
  Record a = article("A1");
  EXPECT_EQ(a.at("NETTO4"), "80.00");  // the purchase price, not the list price
  EXPECT_EQ(a.at("PREIS4"), "95.20");
  EXPECT_EQ(a.at("NETTO"), "100.00");
  EXPECT_EQ(a.at("PREIS_STCK"), "50.00");
  EXPECT_EQ(a.at("LETZTDAT"), "");
  EXPECT_EQ(a.at("DATANORM"), "P");
}

TEST_F(PriceMaintenanceTest, GrossSettingsCalculateFromTheGrossPrice) {
  setSetting("Netto", "N");
  setSetting("Netto2Brutto", "J");
  maintain({"P;A;A1;2;11900;;;;;;;", "P;A;A2;1;11900;;;;;;;"});
  // Flag 2 stores the gross price; flag 1 stores the net price, yet both are calculated
  // from the gross price because a gross setting is on: A2's net price is recomputed from
  // its (empty) gross price.
  EXPECT_EQ(field("A1", "BRUTTO"), "119.00");
  EXPECT_EQ(field("A1", "NETTO"), "100.00");
  EXPECT_EQ(field("A2", "BRUTTO"), "");
  EXPECT_EQ(field("A2", "NETTO"), "0.00");
}

TEST_F(PriceMaintenanceTest, AbortTakesEffectBeforeTheNextLine) {
  m_port.abortNextProgressAtPoll(2);
  m_port.answer(Answer::Yes, "Import abbrechen?");
  maintain({"P;A;A1;1;2000;;;;;;;A2;1;2000;;;;;;;", "P;A;A3;1;2000;;;;;;;"});
  EXPECT_EQ(field("A1", "PREIS_STCK"), "20.00");
  EXPECT_EQ(field("A2", "PREIS_STCK"), "20.00");
  EXPECT_EQ(field("A3", "PREIS_STCK"), "50.00");
  EXPECT_NE(messages().back().text, base::ansi("Import der Preisänderungen ist beendet"));
}

TEST_F(PriceMaintenanceTest, SupplierSampleWithCustomerNumberAndUnknownRecords) {
  for (const char* number : {"RG6040640U1", "RG6050840U1", "RG6060950U1"}) {
    addArticle({{"NUMMER", number},
                {"PREIS_STCK", "1"},
                {"NETTO", "1"},
                {"MWST", "19"},
                {"WG_IATA", "EUR"}});
  }
  // Price maintenance asks no customer-number question: K records are skipped like C records.
  ASSERT_TRUE(runFile(2, testsupport::fixturesDir() / "datanorm/halo/v4_datpreis.001"));
  EXPECT_EQ(progress().texts[302], "1");
  EXPECT_EQ(progress().texts[204], "5");
  EXPECT_EQ(field("RG6040640U1", "PREIS_STCK"), "385.65");  // 857.00 less 55 %
  EXPECT_EQ(field("RG6040640U1", "NETTO"), "857.00");
  EXPECT_EQ(field("RG6060950U1", "PREIS_STCK"), "725.40");
  EXPECT_TRUE(loggedErrors().empty());
}

}  // namespace
