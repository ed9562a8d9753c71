#include "tables/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <tuple>

#include "base/cp1252.h"
#include "tables/merchandise_tables.h"
#include "tables/tables_fixture.h"

namespace {

using tablestest::ProgramDirTest;
using ui::Message;

const std::vector<std::string> kOwnTables = {"DNORMLTT", "DNORMLTE", "DNORMWGR", "DNORMRAB",
                                             "DNORMERR", "DNORMERT", "DNORMPRO"};

std::unique_ptr<xbase::Table> openReadOnly(const std::filesystem::path& path) {
  std::unique_ptr<xbase::Table> table;
  EXPECT_TRUE(
      xbase::Table::open(path.string(), {xbase::OpenMode::ReadOnly, nullptr}, &table).isOk())
      << path;
  return table;
}

using CatalogueTest = ProgramDirTest;

TEST_F(CatalogueTest, ListsTablesIndexesAndCaptionsInCatalogueOrder) {
  EXPECT_EQ(tables::GETDBFS(), kOwnTables);
  tables::NamePairs all = tables::GETALL();
  ASSERT_EQ(all.size(), 7u);
  for (size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(all[i], std::make_pair(kOwnTables[i], kOwnTables[i]));
  EXPECT_EQ(tables::GETALLSORTIERUNG()[0],
            std::make_pair(std::string("DNORMLTT"), std::string("Langtext-Nr.+Zeile")));
  EXPECT_EQ(tables::GETALLSORTIERUNG()[4],
            std::make_pair(std::string("DNORMERR"), std::string("DNORMERR")));

  EXPECT_EQ(tables::GETINDEX("dnormrab"), std::vector<std::string>{"DNORMRAB"});
  EXPECT_TRUE(tables::GETINDEX("ARTIKEL").empty());
  EXPECT_EQ(tables::indexKey("dnormerr"), "(DTOS(Datum)+Zeit)");
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(CatalogueTest, UnknownTableHasNoStructureAndIsNotCreated) {
  EXPECT_TRUE(tables::GETSTRUKTUR("artikel").empty());
  std::vector<std::string> names = {"dnormxyz"}, created;
  EXPECT_TRUE(tables::DBANLEGEN(names, created));  // it was missing, though not creatable
  EXPECT_EQ(names, std::vector<std::string>{"DNORMXYZ"});
  EXPECT_TRUE(created.empty());
  ASSERT_EQ(m_port.messages().size(), 2u);
  EXPECT_EQ(m_port.messages()[0],
            (Message{Message::Kind::Alert,
                     "QMT LGW",
                     base::ansi("Für die Datenbank: ARTIKEL gibt es keine Strukturinformationen"),
                     {}}));
  EXPECT_EQ(m_port.messages()[1].text,
            base::ansi("Für die Datenbank: DNORMXYZ gibt es keine Strukturinformationen"));
}

TEST_F(CatalogueTest, ReportsTheFirstMissingTableAndCreatesAllMissingOnesInOrder) {
  testsupport::copyFixtures(
      m_dir.path(), "xbase",
      {"DNORMLTT.dbf", "DNORMLTE.dbf", "DNORMRAB.dbf", "DNORMERR.dbf", "DNORMERT.dbf"});
  EXPECT_TRUE(tables::TESTDBFDATEI());
  ASSERT_EQ(m_port.messages().size(), 1u);
  EXPECT_EQ(m_port.messages()[0],
            (Message{Message::Kind::Information, "QMT Datanorm", "Datei: DNORMWGR.dbf fehlt", {}}));

  std::vector<std::string> created = {"stale"};
  EXPECT_TRUE(tables::DB_DATEI(&created));
  EXPECT_EQ(created, (std::vector<std::string>{"DNORMWGR", "DNORMPRO"}));
  ASSERT_EQ(m_port.messages().size(), 3u);
  EXPECT_EQ(m_port.messages()[1].text, "Lege Datenbank an: DNORMWGR");
  EXPECT_EQ(m_port.messages()[2].text, "Lege Datenbank an: DNORMPRO");
  EXPECT_FALSE(m_port.waitMessage().has_value());
  // The fixtures are left as they were: an existing table is never touched.
  EXPECT_EQ(testsupport::readFile(m_dir / "DNORMRAB.dbf"),
            testsupport::readFile(testsupport::fixturesDir() / "xbase" / "DNORMRAB.dbf"));

  EXPECT_FALSE(tables::TESTDBFDATEI());
  EXPECT_EQ(m_port.messages().size(), 3u);
}

// The fixtures were written by an independent xBase engine: what we create must have the same
// fields, record layout and structural-index flag.
TEST_F(CatalogueTest, CreatedTablesHaveTheStructuresOfTheRealOnes) {
  std::vector<std::string> created;
  tables::DB_DATEI(&created);
  ASSERT_EQ(created, kOwnTables);
  for (const std::string& name : kOwnTables) {
    SCOPED_TRACE(name);
    auto ours = openReadOnly(m_dir / (name + ".dbf"));
    auto real = openReadOnly(testsupport::fixturesDir() / "xbase" / (name + ".dbf"));
    ASSERT_TRUE(ours && real);
    ASSERT_EQ(ours->fields().size(), real->fields().size());
    for (size_t i = 0; i < real->fields().size(); ++i) {
      const xbase::FieldDef &a = ours->fields()[i], &b = real->fields()[i];
      EXPECT_EQ(std::tie(a.name, a.type, a.length, a.decimals, a.offset),
                std::tie(b.name, b.type, b.length, b.decimals, b.offset));
    }
    EXPECT_EQ(ours->dbf().recordLength(), real->dbf().recordLength());
    EXPECT_TRUE(ours->dbf().header().hasStructuralIndex());
    uint32_t count = 1;
    EXPECT_TRUE(ours->recordCount(&count).isOk());
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(std::filesystem::exists(m_dir / (name + ".CDX")));
  }
  // Listed with width 5, created with the one byte a logical field has.
  EXPECT_EQ(tables::GETSTRUKTUR("DNORMLTT").back(), (tables::FieldInfo{"Gesperrt", 'L', 5, 0}));
  EXPECT_EQ(openReadOnly(m_dir / "DNORMLTT.dbf")->fields().back().length, 1);
}

TEST_F(CatalogueTest, TableThatCannotBeCreatedIsReportedAndStaysMissing) {
  app::setupPaths(m_dir / "missing-folder", "");
  std::vector<std::string> names = {"DNORMPRO"}, created;
  EXPECT_TRUE(tables::DBANLEGEN(names, created));
  EXPECT_TRUE(created.empty());
  ASSERT_EQ(m_port.messages().size(), 1u);
  EXPECT_EQ(m_port.messages()[0].kind, Message::Kind::Information);
  EXPECT_EQ(
      m_port.messages()[0].text,
      "Datenbank: DNORMPRO konnte nicht angelegt werden\r\nDOS-Fehler: 2\r\nDatei nicht gefunden");
  EXPECT_FALSE(m_port.waitMessage().has_value());
}

// The field names the import relies on must exist, with their types, in the merchandise
// system's real tables.
TEST(MerchandiseTables, ReliedOnFieldsExistInTheRealTables) {
  struct Case {
    const char* file;
    std::span<const tables::ReliedField> fields;
  };
  const Case cases[] = {{"ARTIKEL.dbf", tables::artikel::kFields},
                        {"LANGTEXT.dbf", tables::langtext::kFields},
                        {"QMTIND.dbf", tables::qmtind::kFields},
                        {"WEURO.dbf", tables::weuro::kFields}};
  for (const Case& c : cases) {
    auto table = openReadOnly(testsupport::fixturesDir() / "xbase" / c.file);
    ASSERT_TRUE(table);
    for (const tables::ReliedField& f : c.fields) {
      int i = table->fieldIndex(f.name);
      ASSERT_GE(i, 0) << c.file << " " << f.name;
      EXPECT_EQ(table->fields()[static_cast<size_t>(i)].type, f.type) << c.file << " " << f.name;
    }
  }
  auto langtext = openReadOnly(testsupport::fixturesDir() / "xbase" / "LANGTEXT.dbf");
  ASSERT_EQ(langtext->fields().size(), static_cast<size_t>(tables::langtext::kFirstSliceField - 1 +
                                                           tables::langtext::kSlices));
  EXPECT_EQ(langtext->fields()[tables::langtext::kFirstSliceField - 1].length,
            tables::langtext::kSliceWidth);
  EXPECT_EQ(langtext->fields().back().length, tables::langtext::kSliceWidth);
}

}  // namespace
