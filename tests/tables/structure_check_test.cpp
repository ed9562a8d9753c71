#include "tables/structure_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/cp1252.h"
#include "tables/other_process.h"
#include "tables/own_files.h"
#include "tables/structure_compare.h"
#include "tables/tables_fixture.h"

namespace {

using tables::FieldInfo;
using tables::Structure;
using ui::Answer;
using ui::Message;

const std::string kTitle = "Test Datenbankstruktur";

class StructureCheckTest : public tablestest::ProgramDirTest {
 protected:
  StructureCheckTest() { tablestest::createOwnTables(); }

  // Replaces an own table by one of `structure` holding the records A1, A2, A3 (first field)
  // and a deleted one, with `multi` in the field MULTI when given.
  void replaceTable(const std::string& name, const Structure& structure,
                    const std::string& multi = {}) {
    std::filesystem::remove(tables::tableFile(name));
    ASSERT_TRUE(
        xbase::Table::create(tables::tableFile(name), tables::fileStructure(structure), true)
            .isOk());
    ASSERT_TRUE(tables::NETUSE(name, false));
    for (const char* key : {"A1", "X", "A2", "A3"}) {
      tablestest::FieldValues values = {{structure[0].name, key}};
      if (!multi.empty()) values.push_back({"MULTI", multi});
      tablestest::addRecord(values, key[0] == 'X');
    }
    tables::NETCLOSE();
  }

  // What the user was shown, without the wait messages.
  std::vector<Message> shown() const {
    std::vector<Message> messages;
    for (const Message& m : m_port.messages())
      if (m.kind != Message::Kind::WaitMessage) messages.push_back(m);
    return messages;
  }

  Structure structureOf(const std::string& name) {
    std::unique_ptr<xbase::Table> t;
    EXPECT_TRUE(
        xbase::Table::open(tables::tableFile(name), {xbase::OpenMode::ReadOnly, nullptr}, &t)
            .isOk());
    return t ? tables::actualStructure(*t) : Structure{};
  }
};

Message info(const std::string& text) {
  return {Message::Kind::Information, kTitle, base::ansi(text), {}};
}
Message question(const std::string& table) {
  return {Message::Kind::YesNo, kTitle, "Soll die Datenbank: " + table + " jetzt angepasst werden?",
          Answer::Yes};
}

struct Case {
  const char* what;
  std::string table;
  Structure structure;            // of the table found
  std::vector<Message> messages;  // shown by the check, in order
  Structure repaired;             // after the answer Yes; empty: no question, table unchanged
  std::string multi = {};         // a value for MULTI that must come over
};

TEST_F(StructureCheckTest, ReportsEveryDifferenceAndRepairsWhatCanBeRepaired) {
  const std::string rab = "Datenbank: DNORMRAB\r\n";
  const std::vector<Case> cases = {
      {"too few decimals widen the field by the added decimals",
       "DNORMRAB",
       {{"RABATTGRUP", 'C', 4, 0}, {"TEXT", 'C', 40, 0}, {"MULTI", 'N', 5, 2}},
       {info(rab + "Feld: Multi zu wenig Dezimalstellen"), question("DNORMRAB")},
       {{"RABATTGRUP", 'C', 4, 0}, {"TEXT", 'C', 40, 0}, {"MULTI", 'N', 7, 4}},
       "0.85"},
      {"too few digits",
       "DNORMRAB",
       {{"RABATTGRUP", 'C', 4, 0}, {"TEXT", 'C', 40, 0}, {"MULTI", 'N', 4, 4}},
       {info(rab + "Feld: Multi zu wenig Stellen"), question("DNORMRAB")},
       {{"RABATTGRUP", 'C', 4, 0}, {"TEXT", 'C', 40, 0}, {"MULTI", 'N', 6, 4}}},
      {"a missing field is appended; unknown fields and their order stay",
       "DNORMWGR",
       {{"TEXT", 'C', 40, 0}, {"WAGRU", 'C', 3, 0}},
       {info("Datenbank: DNORMWGR\r\nLänge der Struktur unterschiedlich"),
        info("Datenbank: DNORMWGR\r\nFeld: Mit_Dieser nicht vorhanden"), question("DNORMWGR")},
       {{"TEXT", 'C', 40, 0}, {"WAGRU", 'C', 3, 0}, {"MIT_DIESER", 'L', 1, 0}}},
      {"a narrow text field is widened, a wider one is left",
       "DNORMLTT",
       {{"LTNUMMER", 'C', 10, 0},
        {"ZEILE", 'N', 2, 0},
        {"TEXT", 'C', 30, 0},
        {"GESPERRT", 'L', 1, 0},
        {"EXTRA", 'C', 5, 0}},
       {info("Datenbank: DNORMLTT\r\nFeld: Text zu kurz"), question("DNORMLTT")},
       {{"LTNUMMER", 'C', 10, 0},
        {"ZEILE", 'N', 2, 0},
        {"TEXT", 'C', 40, 0},
        {"GESPERRT", 'L', 1, 0},
        {"EXTRA", 'C', 5, 0}}},
      {"another type ends the check of the table: nothing after it counts, nothing is repaired",
       "DNORMERT",
       {{"FEHLERNR", 'C', 3, 0},
        {"OHNE", 'L', 1, 0},
        {"FEHLER", 'C', 20, 0},
        {"KOMMENTAR", 'C', 250, 0}},
       {{Message::Kind::Alert,
         kTitle,
         "Das Feld: FehlerNr\r\nin der Datenbank: DNORMERT\r\nhat einen unterschiedlichen TypBitte "
         "wenden "
         "Sie sich an Ihren Systembetreuer oder QMT zur Korrektur der Datenbank",
         {}}},
       {}},
      {"wider and with more decimals than wanted is fine",
       "DNORMPRO",
       {{"ARTIKEL", 'C', 20, 0},
        {"VORGANG", 'C', 8, 0},
        {"ALTNR", 'C', 15, 0},
        {"DATUM", 'D', 8, 0},
        {"ZEIT", 'C', 8, 0},
        {"DATEI", 'C', 13, 0},
        {"SATZ", 'N', 10, 2}},
       {},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempDir dir;
    app::setupPaths(dir.path(), "");
    ui::ScriptedPort port;
    ui::PortScope scope(port);
    tablestest::createOwnTables();
    replaceTable(c.table, c.structure, c.multi);
    std::string before = testsupport::readFile(dir / (c.table + ".dbf"));
    if (!c.repaired.empty()) port.answer(Answer::Yes);

    EXPECT_TRUE(tables::TESTSTRUKTUR());
    std::vector<Message> shown;
    for (const Message& m : port.messages())
      if (m.kind != Message::Kind::WaitMessage) shown.push_back(m);
    EXPECT_EQ(shown, c.messages);
    EXPECT_FALSE(port.waitMessage().has_value());
    if (c.repaired.empty()) {
      EXPECT_EQ(testsupport::readFile(dir / (c.table + ".dbf")), before);
      continue;
    }
    EXPECT_EQ(testsupport::readFile(dir / "sicher" / (c.table + ".dbf")), before);
    EXPECT_EQ(structureOf(c.table), c.repaired);
    // The records came over without the deleted one, and the index describes them.
    ASSERT_TRUE(tables::NETOPEN(c.table, false));
    xbase::Table& t = *tables::current();
    EXPECT_EQ(tablestest::column(c.structure[0].name),
              (std::vector<std::string>{"A1", "A2", "A3"}));
    uint32_t count = 0;
    ASSERT_TRUE(t.recordCount(&count).isOk());
    EXPECT_EQ(count, 3u);
    std::vector<std::string> report;
    bool sound = false;
    ASSERT_TRUE(t.verifyIndexes(&report, &sound).isOk());
    EXPECT_TRUE(sound) << testing::PrintToString(report);
    ASSERT_TRUE(t.goTop().isOk());
    if (!c.multi.empty()) {
      EXPECT_EQ(t.getNumber(t.fieldIndex("MULTI")), std::stod(c.multi));
    }
    if (int flag = t.fieldIndex("MIT_DIESER"); flag >= 0) {
      EXPECT_FALSE(t.getLogical(flag));
    }
    tables::closeAll();
  }
}

class BackupTest : public StructureCheckTest {
 protected:
  BackupTest() {
    replaceTable("DNORMRAB",
                 {{"RABATTGRUP", 'C', 4, 0}, {"TEXT", 'C', 40, 0}, {"MULTI", 'N', 5, 2}}, "0.85");
    m_table = testsupport::readFile(m_dir / "DNORMRAB.dbf");
    std::filesystem::create_directory(m_dir / "sicher");
  }
  Message backupQuestion() const {
    return {Message::Kind::YesNo, "Test Datenbankstrukur",
            base::ansi("Soll die vorhandene Sicherheitskopie: \r\n" +
                       (m_dir / "sicher" / "DNORMRAB.dbf").string() + "\r\ngelöscht werden?"),
            Answer::Yes};
  }
  std::string m_table;
};

TEST_F(BackupTest, OldBackupIsReplacedOnlyWhenTheUserAgrees) {
  testsupport::writeFile(m_dir / "sicher" / "DNORMRAB.dbf", "old backup");
  m_port.answer(Answer::Yes);
  m_port.answer(Answer::No);
  EXPECT_TRUE(tables::TESTSTRUKTUR());
  EXPECT_EQ(shown().back(), backupQuestion());
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMRAB.dbf"), m_table);
  EXPECT_EQ(testsupport::readFile(m_dir / "sicher" / "DNORMRAB.dbf"), "old backup");

  m_port.answer(Answer::Yes);
  m_port.answer(Answer::Yes);
  EXPECT_TRUE(tables::TESTSTRUKTUR());
  EXPECT_EQ(testsupport::readFile(m_dir / "sicher" / "DNORMRAB.dbf"), m_table);
  EXPECT_EQ(structureOf("DNORMRAB").back(), (FieldInfo{"MULTI", 'N', 7, 4}));
}

TEST_F(BackupTest, FailedDeleteIsReportedAndLeavesTheTable) {
  // A folder where the backup file should be cannot be deleted as a file.
  std::filesystem::create_directories(m_dir / "sicher" / "DNORMRAB.dbf" / "inside");
  m_port.answer(Answer::Yes);
  m_port.answer(Answer::Yes);
  EXPECT_TRUE(tables::TESTSTRUKTUR());
  EXPECT_EQ(
      shown().back(),
      (Message{
          Message::Kind::Information, "Dateifehler", "DOS-Fehler: 5\r\nZugriff verweigert", {}}));
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMRAB.dbf"), m_table);
  EXPECT_TRUE(m_port.waitCursor() == false);
}

TEST_F(StructureCheckTest, RefusesWithOpenWorkAreasAndSkipsTablesInUse) {
  EXPECT_FALSE(tables::TESTSTRUKTUR(true));
  EXPECT_EQ(shown(),
            std::vector<Message>{info("Vor der Überprüfung der Datenbankstrukturen müssen alle "
                                      "Arbeitsbereiche geschlossen werden!")});

  std::filesystem::remove(m_dir / "DNORMPRO.dbf");
  std::unique_ptr<xbase::Table> held;
  tablestest::OtherProcess other([&] {
    return xbase::Table::open(path("DNORMRAB.dbf"), {xbase::OpenMode::Shared, nullptr}, &held)
        .isOk();
  });
  ASSERT_TRUE(other.ready());
  EXPECT_TRUE(tables::TESTSTRUKTUR());
  std::vector<Message> messages = shown();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1],
            (Message{Message::Kind::Information, "QMT Datanorm", "Datei: DNORMPRO.dbf fehlt", {}}));
  EXPECT_EQ(messages[2], info("Kann Datenbank: DNORMRAB nicht exclusiv öffnen"));
  EXPECT_TRUE(std::filesystem::exists(m_dir / "DNORMPRO.CDX"));  // created and reorganised
  EXPECT_TRUE(std::filesystem::is_directory(m_dir / "sicher"));
  int checked = 0;
  for (const Message& m : m_port.messages()) checked += m.text.starts_with("Kontrolliere ");
  EXPECT_EQ(checked, 7);
}

}  // namespace
