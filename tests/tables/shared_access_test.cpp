// Another workstation is another process: these tests fork a child that opens a table or
// locks a record for real, and watch the layer wait for it on a clock the test drives.
#include <gtest/gtest.h>

#include <chrono>

#include "base/clock.h"
#include "base/cp1252.h"
#include "tables/net.h"
#include "tables/other_process.h"
#include "tables/tables_fixture.h"

namespace {

using tablestest::addRecord;
using tablestest::OtherProcess;
using ui::Answer;
using ui::Message;

class SharedAccessTest : public tablestest::ProgramDirTest {
 protected:
  SharedAccessTest() {
    tablestest::createOwnTables();
    // Every pump lets 10 ms pass, so a wait runs through its seconds as fast as it can.
    m_port.setOnPump([this] {
      if (m_port.messages().size() > m_questionTimes.size())
        m_questionTimes.push_back(m_clock.secondsOfDay());
      if (m_atPump) m_atPump();
      m_clock.advance(0.01);
    });
  }

  // When each question came: a question is followed by a pump unless it was the last one.
  std::vector<double> questionTimes() {
    std::vector<double> times = m_questionTimes;
    if (m_port.messages().size() > times.size()) times.push_back(m_clock.secondsOfDay());
    return times;
  }

  // Another workstation that opens DNORMRAB in `mode` and keeps it open.
  std::unique_ptr<OtherProcess> holdTable(xbase::OpenMode mode) {
    std::string file = path("DNORMRAB.dbf");
    auto other = std::make_unique<OtherProcess>([file, mode, this] {
      return xbase::Table::open(file, {mode, nullptr}, &m_held).isOk();
    });
    EXPECT_TRUE(other->ready());
    return other;
  }

  // Another workstation that holds record `recno` of DNORMRAB locked.
  std::unique_ptr<OtherProcess> holdRecord(uint32_t recno) {
    std::string file = path("DNORMRAB.dbf");
    auto other = std::make_unique<OtherProcess>([file, recno, this] {
      return xbase::Table::open(file, {xbase::OpenMode::Shared, nullptr}, &m_held).isOk() &&
             m_held->lockRecord(recno).isOk();
    });
    EXPECT_TRUE(other->ready());
    return other;
  }

  void addGroups() {
    ASSERT_TRUE(tables::NETOPEN("DNORMRAB", true));
    addRecord({{"RABATTGRUP", "R1"}, {"MULTI", "0.85"}});
    addRecord({{"RABATTGRUP", "R2"}, {"MULTI", "0.7"}});
  }

  base::FakeClock m_clock{base::Date{std::chrono::year{2017} / 10 / 19}, 100.0};
  base::ClockScope m_clockScope{m_clock};
  std::function<void()> m_atPump;
  std::vector<double> m_questionTimes;
  std::unique_ptr<xbase::Table> m_held;  // in the child: what it holds open
};

const std::string kOpenQuestion = base::ansi("DNORMRAB kann nicht geöffnet werden.\rWarten ?");

TEST_F(SharedAccessTest, OpenWithoutWaitingGivesUpAtOnce) {
  auto other = holdTable(xbase::OpenMode::Exclusive);
  EXPECT_FALSE(tables::NETUSE("DNORMRAB", false, "", false));
  EXPECT_FALSE(tables::NETUSE("DNORMRAB", true, "", false));
  EXPECT_FALSE(tables::isOpen("DNORMRAB"));
  EXPECT_TRUE(m_port.messages().empty());
  EXPECT_EQ(m_port.pumpCount(), 0);
}

TEST_F(SharedAccessTest, OpenAsksAfterThreeSecondsThenFiveSecondsAfterEachQuestion) {
  auto other = holdTable(xbase::OpenMode::Shared);  // blocks an exclusive open
  m_port.answer(Answer::Yes);
  m_port.answer(Answer::No);
  EXPECT_FALSE(tables::NETUSE("DNORMRAB", false));
  EXPECT_FALSE(tables::isOpen("DNORMRAB"));
  ASSERT_EQ(m_port.messages().size(), 2u);
  EXPECT_EQ(m_port.messages()[0],
            (Message{Message::Kind::YesNo, "Netzwerksperre", kOpenQuestion, Answer::Yes}));
  std::vector<double> times = questionTimes();
  ASSERT_EQ(times.size(), 2u);
  EXPECT_NEAR(times[0], 103.0, 0.05);
  EXPECT_NEAR(times[1], 108.0, 0.05);
}

TEST_F(SharedAccessTest, WaitAcrossMidnightStillAsksAfterThreeSeconds) {
  m_clock.set(base::Date{std::chrono::year{2017} / 12 / 31}, 86398.0);  // 23:59:58
  auto other = holdTable(xbase::OpenMode::Exclusive);
  m_port.answer(Answer::No, "Warten ?");
  EXPECT_FALSE(tables::NETUSE("DNORMRAB"));
  std::vector<double> times = questionTimes();
  ASSERT_EQ(times.size(), 1u);
  EXPECT_NEAR(times[0], 1.0, 0.05);
  EXPECT_EQ(m_clock.today(), base::Date{std::chrono::year{2018} / 1 / 1});
}

TEST_F(SharedAccessTest, TableFreedWithinThreeSecondsOpensWithoutAQuestion) {
  auto other = holdTable(xbase::OpenMode::Exclusive);
  m_atPump = [&] {
    if (m_clock.secondsOfDay() >= 102.0) other->release();
  };
  EXPECT_TRUE(tables::NETUSE("DNORMRAB"));
  EXPECT_TRUE(m_port.messages().empty());
  EXPECT_NEAR(m_clock.secondsOfDay(), 102.0, 0.05);
}

TEST_F(SharedAccessTest, WaitLimitGivesUpAsIfTheUserSaidNo) {
  tables::setWaitLimit(1.5);
  auto other = holdTable(xbase::OpenMode::Exclusive);
  EXPECT_FALSE(tables::NETUSE("DNORMRAB"));
  EXPECT_TRUE(m_port.messages().empty());
  EXPECT_NEAR(m_clock.secondsOfDay(), 101.5, 0.05);
}

TEST_F(SharedAccessTest, BlockedAppendAsksWithoutText) {
  addGroups();
  std::string file = path("DNORMRAB.dbf");
  // The other workstation holds the append lock, the header byte of the table.
  OtherProcess other([&] {
    if (!xbase::Table::open(file, {xbase::OpenMode::Shared, nullptr}, &m_held).isOk()) return false;
    const xbase::DbfHeader& h = m_held->dbf().header();
    uint64_t header =
        xbase::lockOffsets(xbase::lockScheme(), true, h.headerLength, h.recordLength).header;
    return m_held->dbf().file().lockRange(header, 1, xbase::LockType::Write).isOk();
  });
  ASSERT_TRUE(other.ready());
  m_port.answer(Answer::No);
  EXPECT_FALSE(tables::NETAPPEND());
  ASSERT_EQ(m_port.messages().size(), 1u);
  EXPECT_EQ(m_port.messages()[0].text, "Warten ?");
  EXPECT_NEAR(questionTimes()[0], 103.0, 0.05);
  uint32_t count = 0;
  ASSERT_TRUE(tables::current()->recordCount(&count).isOk());
  EXPECT_EQ(count, 2u);
}

TEST_F(SharedAccessTest, RecordLockWaitsInTheDialogUntilTheOtherLetsGo) {
  addGroups();
  auto other = holdRecord(1);
  EXPECT_FALSE(tables::NETRLOCK(1, false));
  EXPECT_TRUE(m_port.lockDialogs().empty());

  m_atPump = [&] {
    if (m_port.pumpCount() == 20) other->release();
  };
  EXPECT_TRUE(tables::NETRLOCK(1));
  ASSERT_EQ(m_port.lockDialogs().size(), 1u);
  const ui::LockRecord& dialog = *m_port.lockDialogs()[0];
  EXPECT_EQ(dialog.title, "Satz konnte nicht gesperrt werden");
  EXPECT_EQ(dialog.texts, (std::vector<std::string>{"", "Versuche, den Datensatz zu sperren"}));
  EXPECT_TRUE(dialog.closed);
  EXPECT_EQ(tables::current()->lockedRecords(), std::vector<uint32_t>{1});
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(SharedAccessTest, RecordLockDialogEndsOnAbortOrAtTheWaitLimit) {
  addGroups();
  auto other = holdRecord(2);
  m_port.cancelNextLockAtPoll(5);
  EXPECT_FALSE(tables::NETRLOCK(2));
  ASSERT_EQ(m_port.lockDialogs().size(), 1u);
  EXPECT_EQ(m_port.lockDialogs()[0]->polls, 5);
  EXPECT_TRUE(tables::NETRLOCK(1));  // the other record is free

  tables::setWaitLimit(0.5);
  double start = m_clock.secondsOfDay();
  EXPECT_FALSE(tables::NETRLOCK(2));
  EXPECT_NEAR(m_clock.secondsOfDay() - start, 0.5, 0.05);
  EXPECT_EQ(tables::current()->lockedRecords(), std::vector<uint32_t>{1});
}

// A workstation that dies holding locks leaves no locks, and the table and its index as its
// last completed write left them.
TEST_F(SharedAccessTest, KilledProcessLeavesNoLocksAndAConsistentTable) {
  tables::closeAll();
  std::string file = path("DNORMRAB.dbf");
  OtherProcess other([&] {
    ui::ScriptedPort quiet;
    ui::PortScope scope(quiet);
    if (!tables::NETOPEN(file, true)) return false;
    for (int i = 1; i <= 50; ++i)
      addRecord({{"RABATTGRUP", "K" + std::to_string(i)}, {"MULTI", "1"}});
    xbase::Table& t = *tables::current();
    if (!t.goTo(5).isOk() || !tables::NETRLOCK()) return false;
    t.putString(0, "K5X");
    if (!t.commit().isOk()) return false;
    return t.goTo(7).isOk() && tables::NETRLOCK();  // holds 5 and 7 now
  });
  ASSERT_TRUE(other.ready());
  other.kill();

  ASSERT_TRUE(tables::NETOPEN("DNORMRAB", true));
  EXPECT_TRUE(tables::NETRLOCK(5, false));
  EXPECT_TRUE(tables::NETRLOCK(7, false));
  EXPECT_TRUE(tables::current()->lockFile().isOk());
  tables::NETCLOSE();
  ASSERT_TRUE(tables::NETOPEN("DNORMRAB", false, "", false));  // nobody holds it any more
  xbase::Table& t = *tables::current();
  uint32_t count = 0;
  ASSERT_TRUE(t.recordCount(&count).isOk());
  EXPECT_EQ(count, 50u);
  bool found = false;
  ASSERT_TRUE(t.seek("K5X", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t.recNo(), 5u);
  std::vector<std::string> report;
  bool sound = false;
  ASSERT_TRUE(t.verifyIndexes(&report, &sound).isOk());
  EXPECT_TRUE(sound) << testing::PrintToString(report);
}

}  // namespace
