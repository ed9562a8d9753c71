#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/tables_fixture.h"
#include "xbase/table.h"

namespace viewstest {

// A program directory holding the genuine fixture tables, in the layer's start-up state.
class FixtureTablesTest : public tablestest::ProgramDirTest {
 protected:
  explicit FixtureTablesTest(const std::vector<std::string>& tables) {
    std::vector<std::string> files;
    for (const std::string& t : tables) {
      files.push_back(t + ".dbf");
      files.push_back(t + ".cdx");
    }
    testsupport::copyFixtures(m_dir.path(), "xbase", files);
  }
};

// One row of a display-definition table.
struct DefinitionRow {
  int pos;
  std::string line;
  std::string header;
  bool align = false;
  bool deleted = false;
};

// Writes the display-definition table tabelle/<name>.dbf (fields POS, LINE, HEADER, ALIGN).
inline void writeDefinitionTable(const std::filesystem::path& programDir, const std::string& name,
                                 const std::vector<DefinitionRow>& rows) {
  std::filesystem::create_directories(programDir / "tabelle");
  std::string path = (programDir / "tabelle" / (name + ".dbf")).string();
  xbase::FieldList fields = tables::fileStructure(
      {{"Pos", 'N', 3, 0}, {"Line", 'C', 100, 0}, {"Header", 'C', 40, 0}, {"Align", 'L', 1, 0}});
  ASSERT_TRUE(xbase::Table::create(path, fields, false).isOk());
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::open(path, {xbase::OpenMode::Exclusive}, &t).isOk());
  for (const DefinitionRow& r : rows) {
    ASSERT_TRUE(t->append().isOk());
    ASSERT_TRUE(t->putNumber(0, r.pos).isOk());
    ASSERT_TRUE(t->putString(1, r.line).isOk());
    ASSERT_TRUE(t->putString(2, r.header).isOk());
    ASSERT_TRUE(t->putLogical(3, r.align).isOk());
    if (r.deleted) {
      ASSERT_TRUE(t->deleteRecord().isOk());
    }
  }
  ASSERT_TRUE(t->close().isOk());
}

inline std::string rightTrimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace viewstest
