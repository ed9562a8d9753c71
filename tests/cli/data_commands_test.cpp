#include <filesystem>

#include "cli/cli_env.h"
#include "tables/other_process.h"
#include "xbase/table.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

// A program directory whose own tables are created by `init`, then replaced by the named
// genuine fixture tables with their index files.
class DataCommandTest : public ::testing::Test {
 protected:
  void installFixtures(const std::vector<std::string>& tables) {
    ASSERT_EQ(command("init").exitCode, 0);
    for (const std::string& name : tables) {
      fs::remove(m_home / (name + ".dbf"));
      fs::remove(m_home / (name + ".CDX"));
      testsupport::copyFixtures(m_home.path(), "xbase", {name + ".dbf", name + ".cdx"});
    }
  }
  CommandResult command(const std::string& name, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--home", m_home.path().string(), name});
    return cli(args);
  }
  std::string recordCount(const std::string& table) {
    CommandResult info = cli({"table", "info", (m_home / (table + ".dbf")).string()});
    return info.out.substr(0, info.out.find(" records|"));
  }

  testsupport::TempDir m_home;
};

TEST_F(DataCommandTest, ShowPrintsTheBrowserColumnsInIndexOrderWithoutDeletedRecords) {
  installFixtures({"DNORMRAB", "DNORMLTT", "DNORMERT"});
  CommandResult rab = command("show", {"dnormrab"});
  ASSERT_EQ(rab.exitCode, 0) << rab.err;
  EXPECT_EQ(rab.out,
            "Rabattgruppe  Beschreibung        Multiplikator\n"
            "R1            Rabattgruppe 1             0.8500\n"
            "R10           Rabattgruppe 10            0.7000\n"
            "R1A           Rabattgruppe 1a            0.8250\n"
            "R2            Rabattgruppe 2             1.0000\n"
            "ÄX01          Sonderrabatt Ärzte         0.5500\n");

  // The text blocks have no display definition: one column per field.
  CommandResult ltt = command("show", {"DNORMLTT", "--csv"});
  ASSERT_EQ(ltt.exitCode, 0) << ltt.err;
  EXPECT_EQ(ltt.out,
            "LTNUMMER,ZEILE,TEXT,GESPERRT\n"
            "00000001,1,Kupferrohr halbhart in Stangen,nein\n"
            "00000001,2,Löschung der Vorgängerversion,nein\n"
            "00000001,3,Größe nach Tabelle,nein\n"
            "00000001,10,Zeile zehn: Maße in mm,nein\n"
            "00000002,1,Flanschdichtung für Heizöl,nein\n"
            "00000002,11,Übergangsstück außen,nein\n"
            "0000001,1,Kurze Nummer (7 Zeichen),nein\n"
            "A0000001,1,Text mit Buchstaben-Nummer,nein\n");

  // Numeric keys in their order, negative ones first; a comment with a comma is quoted.
  CommandResult ert = command("show", {"DNORMERT", "--csv"});
  EXPECT_EQ(ert.out.rfind("Fehler-Nr.,Ignorieren,Fehler,Kommentar\n"
                          "-1,nein,Unbekannter Fehler,Negativer Schluessel (Test der "
                          "Vorzeichenkodierung).\n0,ja,Kein Fehler,\n1,ja,Datei nicht gefunden,\n",
                          0),
            0u)
      << ert.out;
  EXPECT_TRUE(contains(ert.out,
                       "\n21,nein,Warengruppe unbekannt,\"Warengruppe fehlt in der "
                       "Warengruppentabelle, Artikel wird trotzdem übernommen.\"\n"))
      << ert.out;
}

TEST_F(DataCommandTest, SettingsPrintsAllAndSetsOneSavingAll) {
  // Global options may also stand before the command.
  CommandResult all =
      cli({"--home", m_home.path().string(), "--workstation", "Kasse1", "settings"});
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(all.out.rfind("1\tPfad\t\n2\tIndex\tN\n3\tLieferant\t\n4\tMwst\t19.00\n", 0), 0u)
      << all.out;
  EXPECT_TRUE(contains(all.out, "\n19\tnur Preis 2/3/4/5\t1\n20\tBrutto2Brutto\tN\n"));
  EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 21);
  EXPECT_TRUE(fs::exists(m_home / "lokal" / "KASSE1.INI"));

  const std::vector<std::vector<std::string>> changes = {
      {"mwst", "7.50", "4\tMwst\t7.50\n"},
      {"2", "J", "2\tIndex\tJ\n"},
      {"nur preis 2/3/4/5", "4", "19\tnur Preis 2/3/4/5\t4\n"},
      {"Pfad", "/daten/lgw/", "1\tPfad\t/daten/lgw/\n"},
  };
  for (const auto& change : changes) {
    CommandResult r = command("settings", {change[0], change[1]});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, change[2]);
  }
  std::string ini = testsupport::readFile(m_home / "ARTIKIMP.INI");
  EXPECT_EQ(ini,
            "[Voreinstellungen]\r\nPfad=/daten/lgw/" + std::string(69, ' ') +
                "\r\nIndex=J\r\nLieferant=          \r\nMwst=7.50\r\nLangtext=J\r\n"
                "Warengruppe=N\r\nMenge=J\r\nRabatt=J\r\nWg=2\r\nEan=2\r\nMatch=J\r\n"
                "BruttoEK=J\r\nBrutto=J\r\nNettoEK=J\r\nNetto=J\r\nPreis2_5=1\r\nLoeschen=2\r\n"
                "Aktualisieren=N\r\nnur Preis 2/3/4/5=4\r\nBrutto2Brutto=N\r\nNetto2Brutto=N\r\n");
}

TEST_F(DataCommandTest, DeleteEmptiesTablesInOrderAndStopsAtOneInUse) {
  installFixtures({"DNORMWGR", "DNORMRAB", "DNORMERR", "DNORMPRO"});
  std::unique_ptr<xbase::Table> held;
  tablestest::OtherProcess other([&] {
    return xbase::Table::open((m_home / "DNORMERR.dbf").string(),
                              {xbase::OpenMode::Shared, nullptr}, &held)
        .isOk();
  });
  ASSERT_TRUE(other.ready());
  CommandResult stopped = command("delete", {"7", "--json", "--wait", "0.5"});
  EXPECT_EQ(stopped.exitCode, 1);
  EXPECT_EQ(stopped.err, "[Datenbank löschen] Kann Fehlerprotokoll nicht exklusiv öffnen\n");
  EXPECT_EQ(stopped.out,
            R"({"kind":7,"ok":false,"message":"Kann Fehlerprotokoll nicht exklusiv öffnen"})"
            "\n");
  EXPECT_EQ(recordCount("DNORMWGR"), "table|" + (m_home / "DNORMWGR.dbf").string() + "|0");
  EXPECT_EQ(recordCount("DNORMRAB"), "table|" + (m_home / "DNORMRAB.dbf").string() + "|0");
  EXPECT_EQ(recordCount("DNORMPRO"), "table|" + (m_home / "DNORMPRO.dbf").string() + "|6");

  other.release();
  CommandResult done = command("delete", {"7", "--json"});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(done.out, "{\"kind\":7,\"ok\":true,\"message\":null}\n");
  EXPECT_EQ(recordCount("DNORMPRO"), "table|" + (m_home / "DNORMPRO.dbf").string() + "|0");
  EXPECT_EQ(command("show", {"DNORMERR"}).out,
            "Datum  Zeit  Datei  Satz-Nr.  Artikel  Fehler-Nr.  Fehler\n");
}

}  // namespace
