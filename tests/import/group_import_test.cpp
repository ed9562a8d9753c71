#include "import/group_import.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "import/deletion.h"
#include "import/import_env.h"
#include "import/import_tables.h"
#include "tables/net.h"

namespace {

using importtest::header;
using importtest::Record;
using ui::Answer;
using ui::Message;

class GroupImportTest : public importtest::ImportTest {
 protected:
  std::vector<std::string> groups(const std::string& table, const std::string& key,
                                  const std::string& value) {
    std::vector<std::string> out;
    for (const Record& r : ownRows(table)) {
      if (r.at("*").empty()) out.push_back(r.at(key) + "=" + r.at("TEXT") + "=" + r.at(value));
    }
    return out;
  }
};

TEST_F(GroupImportTest, MainProductGroupsAreAddedOnce) {
  const std::vector<std::string> file = {header(),         "S;;01;Rohre;;",    "S;;01;Sub;12;Unter",
                                         "S;;1234;Lang;;", "S;;1235;Lang 2;;", "S;; ;Ohne;;",
                                         "R;;X;1;100;x",   "S;;02;Armaturen;;"};
  ASSERT_TRUE(runImport(1, file, "DATANORM.WRG"));
  EXPECT_EQ(groups("DNORMWGR", "WAGRU", "MIT_DIESER"),
            (std::vector<std::string>{"01=Rohre=T", "123=Lang=T", "02=Armaturen=T"}));
  EXPECT_EQ(progress().texts[302], "6");
  EXPECT_EQ(progress().texts[404], "02: Armaturen");
  EXPECT_EQ(messages().back(), (Message{Message::Kind::Information,
                                        "Datanorm-Daten einlesen",
                                        "Import der Hauptwarengruppen ist beendet",
                                        {}}));

  // A second time: the question whether to empty the table first; No adds nothing.
  m_port.answer(Answer::No, "Alle Daten");
  ASSERT_TRUE(runImport(1, file, "DATANORM.WRG"));
  const Message question = messages()[messages().size() - 2];
  EXPECT_EQ(question.title, base::ansi("Vorhandene Daten löschen"));
  EXPECT_EQ(question.text, base::ansi("Datenbank: Dnormwgr\r\nAlle Daten löschen?"));
  EXPECT_EQ(question.defaultAnswer, Answer::No);
  EXPECT_EQ(groups("DNORMWGR", "WAGRU", "MIT_DIESER").size(), 3u);
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(GroupImportTest, DiscountGroupsWithTheirMultipliers) {
  const std::vector<std::string> file = {header(),
                                         "R;;A1;1;2500;Rohre",
                                         "R;;B2;2;1250;Fittings",
                                         "R;;C3;3;100;falsch",
                                         "R;;D4;2;10000;zu gross",
                                         "R;;E5;1;12000;negativ",
                                         "R;;ABCDE;2;850;lang"};
  ASSERT_TRUE(runImport(3, file, "DATANORM.RAB"));
  EXPECT_EQ(
      groups("DNORMRAB", "RABATTGRUP", "MULTI"),
      (std::vector<std::string>{"A1=Rohre=0.7500", "B2=Fittings=1.2500", "ABCD=lang=0.8500"}));
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"70", "72", "72"}));
  EXPECT_EQ(ownRows("DNORMERR")[0].at("FEHLER"), "Rabattgruppe mit ung\xFCltiger Rabattart(C3  )");
  EXPECT_EQ(messages().back().text, "Import der Rabattgruppen ist beendet");

  // A second time without emptying: every stored group reports 71.
  m_port.answer(Answer::No, "Dnormrab");
  ASSERT_TRUE(runImport(3, file, "DATANORM.RAB"));
  std::vector<std::string> errors = loggedErrors();
  EXPECT_EQ(std::vector<std::string>(errors.begin() + 3, errors.end()),
            (std::vector<std::string>{"71", "71", "70", "72", "72", "71"}));

  // Yes empties the table first.
  m_port.answer(Answer::Yes, "Dnormrab");
  ASSERT_TRUE(runImport(3, {header(), "R;;Z9;2;500;neu"}, "DATANORM.RAB"));
  EXPECT_EQ(groups("DNORMRAB", "RABATTGRUP", "MULTI"), (std::vector<std::string>{"Z9=neu=0.5000"}));
}

TEST_F(GroupImportTest, ProductGroupFilter) {
  addRow("DNORMWGR", {{"WAGRU", "001"}, {"TEXT", "drin"}, {"MIT_DIESER", "T"}});
  addRow("DNORMWGR", {{"WAGRU", "002"}, {"TEXT", "draussen"}, {"MIT_DIESER", "F"}});
  ASSERT_TRUE(dnorm::DBFOPEN());
  EXPECT_TRUE(dnorm::MITDIESERGRUPPE(""));
  EXPECT_TRUE(dnorm::MITDIESERGRUPPE("   "));
  EXPECT_TRUE(dnorm::MITDIESERGRUPPE("999"));
  EXPECT_TRUE(dnorm::MITDIESERGRUPPE("001"));
  EXPECT_FALSE(dnorm::MITDIESERGRUPPE("002"));
  EXPECT_FALSE(dnorm::MITDIESERGRUPPE("0029"));  // cut to three characters
}

TEST_F(GroupImportTest, EmptyingTablesFromTheMenu) {
  addRow("DNORMWGR", {{"WAGRU", "001"}, {"TEXT", "x"}});
  addRow("DNORMRAB", {{"RABATTGRUP", "R1"}, {"MULTI", "1"}});
  addRow("DNORMPRO", {{"ARTIKEL", "1"}});
  addRow("DNORMLTT", {{"LTNUMMER", "1"}, {"ZEILE", "1"}});
  EXPECT_TRUE(dnorm::NORMLOESCHEN(1));
  EXPECT_TRUE(ownRows("DNORMWGR").empty());
  EXPECT_EQ(ownRows("DNORMRAB").size(), 1u);

  // "Alle Löschen" with the error log held by another program: the groups go, then the
  // message; the protocol stays.
  addRow("DNORMWGR", {{"WAGRU", "001"}, {"TEXT", "x"}});
  m_port.answer(Answer::No, "Warten ?");
  xbase::Table::Options exclusive{xbase::OpenMode::Exclusive, nullptr};
  std::unique_ptr<xbase::Table> held;
  ASSERT_TRUE(xbase::Table::open((m_home / "DNORMERR.dbf").string(), exclusive, &held).isOk());
  m_clock.setStepPerReading(1);  // the wait reaches its question quickly
  EXPECT_FALSE(dnorm::NORMLOESCHEN(7));
  held.reset();
  EXPECT_EQ(messages().back(), (Message{Message::Kind::Alert,
                                        base::ansi("Datenbank löschen"),
                                        "Kann Fehlerprotokoll nicht exklusiv \xF6"
                                        "ffnen",
                                        {}}));
  EXPECT_TRUE(ownRows("DNORMWGR").empty());
  EXPECT_TRUE(ownRows("DNORMRAB").empty());
  EXPECT_EQ(ownRows("DNORMPRO").size(), 1u);
  EXPECT_EQ(ownRows("DNORMLTT").size(), 1u);
  EXPECT_TRUE(dnorm::NORMLOESCHEN(7));
  EXPECT_TRUE(ownRows("DNORMPRO").empty());
  EXPECT_EQ(ownRows("DNORMLTT").size(), 1u);
}

TEST_F(GroupImportTest, OnlyDeletedRecordsStillCountAsData) {
  addRow("DNORMWGR", {{"WAGRU", "001"}, {"TEXT", "x"}});
  ASSERT_TRUE(tables::NETOPEN("DNORMWGR", false));
  ASSERT_TRUE(tables::NETDELETE());
  size_t before = m_port.messages().size();
  m_port.answer(Answer::Yes, "Dnormwgr");
  EXPECT_TRUE(dnorm::DBKONTROLLE("Dnormwgr"));
  EXPECT_EQ(m_port.messages().size(), before + 1);
  EXPECT_TRUE(ownRows("DNORMWGR").empty());
  // An empty table is neither asked about nor touched.
  ASSERT_TRUE(tables::NETOPEN("DNORMWGR", false));
  EXPECT_TRUE(dnorm::DBKONTROLLE("Dnormwgr"));
  EXPECT_EQ(m_port.messages().size(), before + 1);
}

}  // namespace
