// Two workstations appending to one shared table with its index at the same time: every
// record arrives exactly once and the index agrees with the table, as the administrator's
// "table verify" sees it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "app/paths.h"
#include "support/test_support.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/other_process.h"
#include "tables/reorg.h"
#include "ui/scripted_port.h"
#include "xbase/table.h"

namespace {

constexpr int kPerProcess = 5000;

// One workstation: appends its records to DNORMPRO, each under the lock the append leaves.
bool appendRecords(char station) {
  ui::ScriptedPort port;
  port.setFailureHandler([](const std::string&) {});  // keep waiting whatever is asked
  ui::PortScope scope(port);
  if (!tables::NETOPEN("DNORMPRO", true)) return false;
  xbase::Table& t = *tables::current();
  for (int i = 1; i <= kPerProcess; ++i) {
    if (!tables::NETAPPEND()) return false;
    std::string article = std::string(1, station) + std::to_string(i);
    if (!t.putString(0, article).isOk() || !t.putNumber(6, i).isOk()) return false;
    tables::NETUNLOCK();
  }
  return tables::NETCLOSE();
}

TEST(SharedAppend, TwoProcessesAppendingTogetherLoseAndDoubleNothing) {
  testsupport::TempDir home;
  app::setupPaths(home.path(), "");
  {
    ui::ScriptedPort quiet;
    ui::PortScope scope(quiet);
    std::vector<std::string> names = {"DNORMPRO"}, created;
    tables::DBANLEGEN(names, created);
    ASSERT_TRUE(tables::REORG(created));
  }
  // Both start at the same moment, when the gate closes, so that their appends interleave.
  int gate[2];
  ASSERT_EQ(::pipe(gate), 0);
  auto station = [&gate](char name) {
    ::close(gate[1]);
    char byte;
    return ::read(gate[0], &byte, 1) == 0 && appendRecords(name);
  };
  pid_t first = tablestest::forkChild([&] { return station('A'); });
  pid_t second = tablestest::forkChild([&] { return station('B'); });
  ::close(gate[0]);
  ::close(gate[1]);
  EXPECT_TRUE(tablestest::waitChild(first));
  EXPECT_TRUE(tablestest::waitChild(second));

  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(
      xbase::Table::open((home / "DNORMPRO.dbf").string(), {xbase::OpenMode::ReadOnly, nullptr}, &t)
          .isOk());
  std::set<std::string> seen;
  size_t records = 0;
  ASSERT_TRUE(t->goTop().isOk());
  while (!t->eof()) {
    ++records;
    std::string article = t->getString(0);
    seen.insert(article.substr(0, article.find(' ')));
    ASSERT_TRUE(t->skip().isOk());
  }
  EXPECT_EQ(records, 2u * kPerProcess);
  EXPECT_EQ(seen.size(), 2u * kPerProcess);
  EXPECT_TRUE(seen.count("A1") && seen.count("A5000") && seen.count("B1") && seen.count("B5000"));

  testsupport::CommandResult verify =
      testsupport::run({testsupport::cliPath().string(), "table", "verify",
                        (home / "DNORMPRO.dbf").string(), (home / "DNORMPRO.CDX").string()});
  EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
  EXPECT_EQ(verify.out, "DNORMPRO ok 10000 keys\n");
}

}  // namespace
