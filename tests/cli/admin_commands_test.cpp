#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"
#include "tables/catalogue.h"
#include "tables/other_process.h"
#include "xbase/table.h"

namespace {

using testsupport::CommandResult;

class AdminCommandTest : public ::testing::Test {
 protected:
  CommandResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), testsupport::cliPath().string());
    return testsupport::run(args);
  }
  CommandResult command(const std::string& name, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {name, "--home", m_home.path().string()});
    return cli(args);
  }
  std::string file(const std::string& name) const { return (m_home / name).string(); }

  testsupport::TempDir m_home;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(AdminCommandTest, InitCreatesAndIndexesMissingTablesOnce) {
  CommandResult first = command("init");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.err.rfind("[QMT Datanorm] Datei: DNORMLTT.dbf fehlt\n", 0), 0u) << first.err;
  EXPECT_TRUE(first.out.empty());  // no progress bar when stdout is no terminal
  for (const std::string& name : tables::GETDBFS()) {
    CommandResult verify = cli({"table", "verify", file(name + ".dbf"), file(name + ".CDX")});
    EXPECT_EQ(verify.exitCode, 0) << name << verify.out << verify.err;
  }
  CommandResult again = command("init");
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.err, "");
  // The shipped error texts, written into the empty table once.
  std::string texts = command("show", {"DNORMERT", "--csv"}).out;
  size_t first50 = texts.find("\n50,nein,Vorlaufsatz mitten in der Datei,");
  EXPECT_NE(first50, std::string::npos) << texts;
  EXPECT_EQ(texts.find("\n50,", first50 + 1), std::string::npos) << texts;
}

TEST_F(AdminCommandTest, UsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"reorg", "NICHTDA"},
                                                                {"init", "DNORMPRO"},
                                                                {"check", "--wait", "bald"},
                                                                {"reorg", "--quiet"}}) {
    CommandResult r = cli(args);
    EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args) << r.err;
    EXPECT_TRUE(contains(r.err, "Aufruf:"));
  }
  EXPECT_EQ(command("init", {"--home", file("fehlt")}).exitCode, 1);
}

TEST_F(AdminCommandTest, ReorgOfATableInUseGivesUpAfterTheWaitOrTheAnswer) {
  ASSERT_EQ(command("init").exitCode, 0);
  std::unique_ptr<xbase::Table> held;
  tablestest::OtherProcess other([&] {
    return xbase::Table::open(file("DNORMRAB.dbf"), {xbase::OpenMode::Shared, nullptr}, &held)
        .isOk();
  });
  ASSERT_TRUE(other.ready());

  CommandResult bounded = command("reorg", {"--yes", "--wait", "0.5", "--json", "dnormrab"});
  EXPECT_EQ(bounded.exitCode, 1);
  EXPECT_EQ(
      bounded.err,
      "[Reorganisation] Fehler beim Öffnen der Datei: DNORMRAB.dbf\nBreche Reorganisation ab\n");
  EXPECT_EQ(bounded.out,
            R"({"tables":["DNORMRAB"],"ok":false,"message":"Fehler beim Öffnen der Datei: )"
            R"(DNORMRAB.dbf\nBreche Reorganisation ab"})"
            "\n");

  CommandResult declined = command("reorg", {"--no", "DNORMPRO", "DNORMRAB"});
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_TRUE(contains(declined.err,
                       "[Netzwerksperre] DNORMRAB kann nicht geöffnet werden.\nWarten ?\n> Nein\n"))
      << declined.err;

  other.release();
  CommandResult all = command("reorg", {"--json"});
  EXPECT_EQ(all.exitCode, 0);
  EXPECT_EQ(all.out,
            R"({"tables":["DNORMLTT","DNORMLTE","DNORMWGR","DNORMRAB","DNORMERR","DNORMERT",)"
            R"("DNORMPRO"],"ok":true,"message":null})"
            "\n");
}

TEST_F(AdminCommandTest, CheckRepairsWithTheDefaultAnswerAndFailsWhenDeclined) {
  ASSERT_EQ(command("init").exitCode, 0);
  std::filesystem::remove(file("DNORMRAB.dbf"));
  xbase::FieldList narrow = tables::fileStructure(tables::GETSTRUKTUR("DNORMRAB"));
  narrow[2].length = 5;
  narrow[2].decimals = 2;
  ASSERT_TRUE(xbase::Table::create(file("DNORMRAB.dbf"), narrow, true).isOk());

  CommandResult declined = command("check", {"--no", "--json"});
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_EQ(declined.out.rfind(R"({"ok":false,"differing":["DNORMRAB"],)", 0), 0u) << declined.out;
  EXPECT_TRUE(
      contains(declined.err,
               "[Test Datenbankstruktur] Datenbank: DNORMRAB\nFeld: Multi zu wenig Dezimalstellen\n"
               "[Test Datenbankstruktur] Soll die Datenbank: DNORMRAB jetzt angepasst werden?\n"
               "> Nein\n"))
      << declined.err;

  CommandResult repaired = command("check");  // no terminal: the default button, Yes
  EXPECT_EQ(repaired.exitCode, 0) << repaired.err;
  EXPECT_TRUE(contains(repaired.err, "> Ja\n"));
  EXPECT_TRUE(std::filesystem::exists(file("sicher/DNORMRAB.dbf")));
  EXPECT_EQ(cli({"table", "verify", file("DNORMRAB.dbf"), file("DNORMRAB.CDX")}).exitCode, 0);
  EXPECT_EQ(command("check").exitCode, 0);
}

}  // namespace
