#include "gui/record_list_model.h"

#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "tables/catalogue.h"
#include "tables/reorg.h"

namespace {

class RecordListModelTest : public browsertest::BrowserTest {
 protected:
  // An error log of `count` entries, one per second from midnight, entry n with Satz n.
  void writeLog(uint32_t count) {
    std::filesystem::remove(path("DNORMERR.dbf"));
    std::filesystem::remove(path("DNORMERR.cdx"));
    std::vector<std::string> names = {"DNORMERR"}, created;
    tables::DBANLEGEN(names, created);
    ASSERT_TRUE(tables::NETUSE("DNORMERR", false));
    xbase::Table& t = *tables::current();
    for (uint32_t n = 1; n <= count; ++n) {
      ASSERT_TRUE(t.append().isOk());
      char time[16];
      std::snprintf(time, sizeof time, "%02u:%02u:%02u", n / 3600, n / 60 % 60, n % 60);
      ASSERT_TRUE(t.putDate(0, 2460000).isOk());
      ASSERT_TRUE(t.putString(1, time).isOk());
      ASSERT_TRUE(t.putNumber(3, n).isOk());
    }
    tables::NETCLOSE();
    ASSERT_TRUE(tables::REORG(names));
  }

  std::unique_ptr<gui::RecordListModel> model() {
    EXPECT_TRUE(tables::NETOPEN("DNORMERR"));
    views::RowCallback row;
    std::vector<std::string> headers;
    std::vector<bool> aligns;
    views::displayColumns("DNORMERR", row, headers, aligns);
    return std::make_unique<gui::RecordListModel>("DNORMERR", row, headers, aligns);
  }

  static QString satz(gui::RecordListModel& m, int row) {
    return m.index(row, 3).data().toString().trimmed();
  }
};

TEST_F(RecordListModelTest, ReadsRowsOnDemandAndNeverMovesTheTable) {
  writeLog(1000);
  auto m = model();
  const int step = gui::RecordListModel::kFetchRows;
  EXPECT_EQ(m->rowCount(), step);
  EXPECT_TRUE(m->canFetchMore());
  EXPECT_EQ(m->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
            Qt::AlignRight);

  // The browser stands on a record; painting rows, reading more and printing leave it there.
  xbase::Table& t = *tables::current();
  ASSERT_TRUE(m->selectRecord(10));
  uint32_t current = t.recNo();
  for (int r = 0; r < m->rowCount(); r += 7) satz(*m, r);
  m->fetchMore();
  EXPECT_EQ(m->rowCount(), 2 * step);
  int printed = 0;
  m->forEachRecord([&](const QStringList&) { ++printed; });
  EXPECT_EQ(printed, 1000);
  EXPECT_EQ(t.recNo(), current);

  // Finding a record further down reads as far as needed, no further than the end.
  ASSERT_TRUE(t.goTo(600).isOk());
  EXPECT_EQ(m->rowOfCurrent(), 599);
  EXPECT_EQ(satz(*m, 599), QStringLiteral("600"));
  EXPECT_EQ(m->rowCount(), 3 * step);
  while (m->canFetchMore()) m->fetchMore();
  EXPECT_EQ(m->rowCount(), 1000);
  EXPECT_EQ(satz(*m, 999), QStringLiteral("1000"));
}

TEST_F(RecordListModelTest, DeletedRowGoesAndReloadStartsFromTheTop) {
  writeLog(600);
  auto m = model();
  while (m->canFetchMore()) m->fetchMore();
  xbase::Table& t = *tables::current();
  ASSERT_TRUE(m->selectRecord(300));
  m->dropIfDeleted(300);  // not deleted: stays
  EXPECT_EQ(m->rowCount(), 600);
  ASSERT_TRUE(tables::NETRLOCK());
  ASSERT_TRUE(tables::NETDELETE());
  tables::NETUNLOCK();
  m->dropIfDeleted(300);
  EXPECT_EQ(m->rowCount(), 599);
  EXPECT_EQ(satz(*m, 300), QStringLiteral("302"));
  EXPECT_EQ(t.recNo(), 301u);

  m->reload();
  EXPECT_EQ(m->rowCount(), gui::RecordListModel::kFetchRows);
  EXPECT_EQ(satz(*m, 0), QStringLiteral("1"));
}

}  // namespace
