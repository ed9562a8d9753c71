#include "tables/reorg.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/clock.h"
#include "base/cp1252.h"
#include "tables/other_process.h"
#include "tables/tables_fixture.h"

namespace {

using tablestest::addRecord;
using ui::Message;

const std::vector<std::string> kOwnTables = {"DNORMLTT", "DNORMLTE", "DNORMWGR", "DNORMRAB",
                                             "DNORMERR", "DNORMERT", "DNORMPRO"};

class ReorgTest : public tablestest::ProgramDirTest {
 protected:
  void copyOwnFixtures() {
    for (const std::string& name : kOwnTables)
      testsupport::copyFixtures(m_dir.path(), "xbase", {name + ".dbf", name + ".cdx"});
  }

  // The table with its index file as the reorganisation leaves it: exactly one order named
  // like the table, over the catalogue's key, sound and complete.
  void expectReorganised(const std::string& name, uint32_t records) {
    SCOPED_TRACE(name);
    std::unique_ptr<xbase::Table> t;
    ASSERT_TRUE(
        xbase::Table::open(path(name + ".dbf"), {xbase::OpenMode::ReadOnly, nullptr}, &t).isOk());
    uint32_t count = 0;
    ASSERT_TRUE(t->recordCount(&count).isOk());
    EXPECT_EQ(count, records);
    ASSERT_TRUE(t->attachIndex(xbase::resolveCaseInsensitive(path(name + ".CDX"))).isOk());
    ASSERT_EQ(t->orderCount(), 1u);
    EXPECT_EQ(t->orderAt(1).info().name, name);
    EXPECT_EQ(t->orderAt(1).info().keyExpr, tables::indexKey(name));
    std::vector<std::string> report;
    bool sound = false;
    ASSERT_TRUE(t->verifyIndexes(&report, &sound).isOk());
    EXPECT_TRUE(sound) << testing::PrintToString(report);
    EXPECT_EQ(report, std::vector<std::string>{name + " ok " + std::to_string(records) + " keys"});
  }

  std::string fixture(const std::string& file) {
    return testsupport::readFile(testsupport::fixturesDir() / "xbase" / file);
  }
};

TEST_F(ReorgTest, PacksEveryTableAndWritesEachIndexAnewWhateverItHeld) {
  copyOwnFixtures();
  testsupport::writeFile(m_dir / "DNORMWGR.cdx", std::string(700, '\xAB'));  // damaged
  testsupport::writeFile(m_dir / "DNORMPRO.cdx", fixture("MULTI.cdx"));      // foreign tags
  std::filesystem::remove(m_dir / "DNORMERT.cdx");                           // missing

  EXPECT_TRUE(tables::REORG());
  // Records marked deleted are gone: one each in DNORMLTT, DNORMRAB and DNORMERR.
  const uint32_t records[] = {8, 5, 8, 5, 5, 9, 6};
  for (size_t i = 0; i < kOwnTables.size(); ++i) expectReorganised(kOwnTables[i], records[i]);

  EXPECT_TRUE(m_port.messages().empty());
  ASSERT_EQ(m_port.progressViews().size(), 1u);
  const ui::ProgressRecord& bar = *m_port.progressViews()[0];
  EXPECT_EQ(bar.dialog, "LAUFBALKEN");
  EXPECT_EQ(bar.title, "Reorganisation");
  EXPECT_TRUE(bar.closed);
  EXPECT_EQ(bar.texts.at(110), "DNORMPRO.DBF");
  EXPECT_EQ(bar.texts.at(120), "DNORMPRO.CDX");
  EXPECT_EQ(bar.meterTotal.at(300), 6);
  EXPECT_EQ(bar.meterPosition.at(300), 6);
  EXPECT_EQ(m_port.pumpCount(), 8 + 5 + 8 + 5 + 5 + 9 + 6);  // once per record indexed
  EXPECT_TRUE(tables::current() == nullptr);
}

TEST_F(ReorgTest, TenRecordsThreeDeletedLeaveSevenKeysAndTheTextBlockKey) {
  tablestest::createOwnTables();
  ASSERT_TRUE(tables::NETOPEN("DNORMLTT", false));
  for (int i = 1; i <= 10; ++i)
    addRecord({{"LTNUMMER", i == 4 ? "4711" : "T" + std::to_string(i)}, {"ZEILE", "1"}},
              i % 3 == 0);
  // The table stays open: the reorganisation closes every open table first.
  EXPECT_TRUE(tables::REORG({"dnormltt"}));
  EXPECT_FALSE(tables::isOpen("DNORMLTT"));
  expectReorganised("DNORMLTT", 7);
  EXPECT_EQ(m_port.progressViews()[0]->meterTotal.at(300), 7);

  // Text number padded to 8, then the line number right-aligned in 2: ten characters.
  ASSERT_TRUE(tables::NETOPEN("DNORMLTT"));
  bool found = false;
  ASSERT_TRUE(tables::current()->seek("4711     1", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(tables::current()->orderAt(1).keyLength(), 10u);
}

TEST_F(ReorgTest, EmptyTableGetsAnEmptyIndexAndOnlyListedTablesAreTouched) {
  copyOwnFixtures();
  std::filesystem::remove(m_dir / "DNORMPRO.dbf");
  std::filesystem::remove(m_dir / "DNORMPRO.cdx");
  std::vector<std::string> names = {"DNORMPRO"}, created;
  tables::DBANLEGEN(names, created);

  EXPECT_TRUE(tables::REORG({"DNORMPRO"}));
  expectReorganised("DNORMPRO", 0);
  EXPECT_EQ(m_port.progressViews()[0]->meterTotal.at(300), 0);
  for (std::string name : {"DNORMLTT", "DNORMERR"}) {
    EXPECT_EQ(testsupport::readFile(m_dir / (name + ".dbf")), fixture(name + ".dbf"));
    EXPECT_EQ(testsupport::readFile(m_dir / (name + ".cdx")), fixture(name + ".cdx"));
  }
}

TEST_F(ReorgTest, TableInUseElsewhereStopsTheRunThere) {
  copyOwnFixtures();
  base::FakeClock clock(base::Date{std::chrono::year{2017} / 10 / 19}, 100.0);
  base::ClockScope clockScope(clock);
  m_port.setOnPump([&] { clock.advance(0.01); });
  std::unique_ptr<xbase::Table> held;
  tablestest::OtherProcess other([&] {
    return xbase::Table::open(path("DNORMRAB.dbf"), {xbase::OpenMode::Shared, nullptr}, &held)
        .isOk();
  });
  ASSERT_TRUE(other.ready());
  m_port.answer(ui::Answer::No, base::ansi("DNORMRAB kann nicht geöffnet werden."));

  EXPECT_FALSE(tables::REORG());
  EXPECT_EQ(
      m_port.messages().back(),
      (Message{Message::Kind::Stop,
               "Reorganisation",
               base::ansi("Fehler beim Öffnen der Datei: DNORMRAB.dbf\r\nBreche Reorganisation ab"),
               {}}));
  EXPECT_TRUE(m_port.progressViews()[0]->closed);
  expectReorganised("DNORMLTT", 8);
  expectReorganised("DNORMWGR", 8);
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMRAB.dbf"), fixture("DNORMRAB.dbf"));
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMERR.dbf"), fixture("DNORMERR.dbf"));
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMERR.cdx"), fixture("DNORMERR.cdx"));
}

}  // namespace
