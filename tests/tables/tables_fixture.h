#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/paths.h"
#include "support/test_support.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/reorg.h"
#include "ui/scripted_port.h"
#include "xbase/lock_scheme.h"
#include "xbase/table.h"

namespace tablestest {

// A fresh program directory with the layer in its start-up state: deleted records hidden,
// the FoxPro lock scheme, shared opens by default, no wait limit, no table open.
class ProgramDirTest : public ::testing::Test {
 protected:
  ProgramDirTest() {
    app::setupPaths(m_dir.path(), "");
    xbase::Table::setHideDeleted(true);
    xbase::setLockScheme(xbase::LockScheme::FoxPro);
    tables::SETSHARED(true);
    tables::SETCOMMIT(false);
    tables::setWaitLimit(std::nullopt);
  }
  ~ProgramDirTest() override { tables::closeAll(); }

  std::string path(const std::string& name) const { return (m_dir / name).string(); }

  testsupport::TempDir m_dir;
  ui::ScriptedPort m_port;
  ui::PortScope m_scope{m_port};
};

// Creates the seven own tables, empty and indexed, in the program directory; whatever that
// shows goes to a port of its own.
inline void createOwnTables() {
  ui::ScriptedPort quiet;
  ui::PortScope scope(quiet);
  std::vector<std::string> created;
  tables::DB_DATEI(&created);
  ASSERT_EQ(created.size(), 7u);
  ASSERT_TRUE(tables::REORG(created));
}

using FieldValues = std::vector<std::pair<std::string, std::string>>;

// Appends a record to the current table with the given fields (numbers as text), optionally
// marked deleted, and writes it.
inline void addRecord(const FieldValues& values, bool deleted = false) {
  ASSERT_TRUE(tables::NETAPPEND());
  xbase::Table& t = *tables::current();
  for (const auto& [name, text] : values) {
    int field = t.fieldIndex(name);
    ASSERT_GE(field, 0) << name;
    char type = t.fields()[static_cast<size_t>(field)].type;
    if (type == 'N')
      ASSERT_TRUE(t.putNumber(field, std::stod(text)).isOk()) << name;
    else if (type == 'L')
      ASSERT_TRUE(t.putLogical(field, text == "T").isOk()) << name;
    else
      ASSERT_TRUE(t.putString(field, text).isOk()) << name;
  }
  if (deleted) {
    ASSERT_TRUE(t.deleteRecord().isOk());
  }
  ASSERT_TRUE(t.commit().isOk());
  tables::NETUNLOCK();
}

// A field of every visible record of the current table in its current order, trimmed.
inline std::vector<std::string> column(const std::string& field) {
  xbase::Table& t = *tables::current();
  std::vector<std::string> values;
  int f = t.fieldIndex(field);
  EXPECT_TRUE(t.goTop().isOk());
  while (!t.eof()) {
    std::string v = t.getString(f);
    size_t first = v.find_first_not_of(' ');
    values.push_back(
        first == std::string::npos ? "" : v.substr(first, v.find_last_not_of(' ') - first + 1));
    EXPECT_TRUE(t.skip().isOk());
  }
  return values;
}

}  // namespace tablestest
