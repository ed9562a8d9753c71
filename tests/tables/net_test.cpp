#include "tables/net.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "tables/table_helpers.h"
#include "tables/tables_fixture.h"

namespace {

using tablestest::addRecord;
using tablestest::column;
using ui::Message;

class NetTest : public tablestest::ProgramDirTest {
 protected:
  NetTest() { tablestest::createOwnTables(); }
};

TEST_F(NetTest, AliasesAndTheCurrentTable) {
  ASSERT_TRUE(tables::NETOPEN("DNORMRAB", false));
  xbase::Table* rab = tables::current();
  EXPECT_EQ(tables::currentAlias(), "DNORMRAB");
  ASSERT_EQ(rab->order(), 1);  // the catalogue index is the controlling order
  EXPECT_EQ(rab->orderAt(1).info().name, "DNORMRAB");

  ASSERT_TRUE(tables::NETOPEN("dnormwgr"));
  xbase::Table* wgr = tables::current();
  EXPECT_EQ(wgr->mode(), xbase::OpenMode::Shared);
  // Already open (the alias compares without regard to case): nothing changes, not even the mode.
  EXPECT_TRUE(tables::NETOPEN("DnormRab", true));
  EXPECT_EQ(tables::current(), wgr);
  EXPECT_EQ(rab->mode(), xbase::OpenMode::Exclusive);

  {
    tables::OnAlias on("dnormrab");
    EXPECT_TRUE(on.ok());
    EXPECT_EQ(tables::current(), rab);
  }
  EXPECT_EQ(tables::current(), wgr);

  EXPECT_TRUE(tables::NETCLOSE("NICHTDA"));
  EXPECT_EQ(tables::current(), wgr);
  EXPECT_TRUE(tables::NETCLOSE("DNORMRAB"));  // not the current one: the current one stays
  EXPECT_FALSE(tables::isOpen("DNORMRAB"));
  EXPECT_EQ(tables::current(), wgr);
  EXPECT_TRUE(tables::NETCLOSE());
  EXPECT_FALSE(tables::isOpen("DNORMWGR"));
  EXPECT_EQ(tables::current(), nullptr);
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(NetTest, UseOpensWithoutIndexAndIndexAttachesInListOrder) {
  ASSERT_TRUE(tables::NETUSE(path("DNORMPRO.dbf"), std::nullopt, "PROT"));
  EXPECT_TRUE(tables::isOpen("prot"));
  EXPECT_EQ(tables::current()->orderCount(), 0u);
  // A second table under the same alias is refused; the first stays current.
  xbase::Table* prot = tables::current();
  EXPECT_FALSE(tables::NETUSE("DNORMERT", std::nullopt, "Prot"));
  EXPECT_EQ(tables::current(), prot);

  EXPECT_TRUE(tables::NETINDEX({}));
  EXPECT_EQ(prot->orderCount(), 0u);
  ASSERT_TRUE(
      tables::NETINDEX({"DNORMPRO", "DNORMPRO.CDX"}, base::ansi(m_dir.path().string() + "/")));
  EXPECT_EQ(prot->orderCount(), 2u);
  EXPECT_EQ(prot->order(), 1);
  EXPECT_TRUE(tables::NETORDER(2));
  EXPECT_FALSE(tables::NETORDER(3));
  EXPECT_EQ(prot->order(), 2);
  EXPECT_FALSE(tables::NETINDEX({"FEHLT"}));
}

TEST_F(NetTest, OpenWithABrokenIndexClosesTheTableAgain) {
  testsupport::writeFile(m_dir / "DNORMERT.CDX", std::string(1024, 'x'));
  ASSERT_TRUE(tables::NETOPEN("DNORMPRO"));
  EXPECT_FALSE(tables::NETOPEN("DNORMERT"));
  EXPECT_FALSE(tables::isOpen("DNORMERT"));
  EXPECT_EQ(tables::current(), nullptr);
  EXPECT_TRUE(tables::isOpen("DNORMPRO"));
  // A missing file is no reason to wait.
  EXPECT_FALSE(tables::NETUSE("GIBTESNICHT"));
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(NetTest, LocksDeletesAndUnlocksInSharedMode) {
  ASSERT_TRUE(tables::NETOPEN("DNORMWGR", true));
  addRecord({{"WAGRU", "001"}, {"TEXT", "Heizung"}});
  addRecord({{"WAGRU", "002"}, {"TEXT", "Sanitaer"}});
  xbase::Table& t = *tables::current();
  EXPECT_TRUE(t.lockedRecords().empty());

  ASSERT_TRUE(tables::NETAPPEND());  // the new record comes locked
  uint32_t fresh = t.recNo();
  EXPECT_FALSE(tables::NETRLOCK(fresh));  // already held by this program
  EXPECT_TRUE(tables::NETRLOCK(1));
  EXPECT_EQ(t.lockedRecords(), (std::vector<uint32_t>{1, fresh}));
  EXPECT_TRUE(tables::NETUNLOCK());
  EXPECT_TRUE(t.lockedRecords().empty());

  ASSERT_TRUE(t.goTo(2).isOk());
  EXPECT_FALSE(tables::NETDELETE());  // a shared record is changed only under its lock
  EXPECT_EQ(m_port.messages().back(),
            (Message{Message::Kind::Alert,
                     "Netzwerkfehler",
                     base::ansi("Ein Datensatz konnte nicht gelöscht werden"),
                     {}}));
  ASSERT_TRUE(tables::NETRLOCK());
  EXPECT_TRUE(tables::NETDELETE());
  EXPECT_TRUE(tables::NETUNLOCK(2));
  EXPECT_EQ(column("WAGRU"), (std::vector<std::string>{"", "001"}));  // index order, 002 hidden
}

TEST_F(NetTest, AChangeThatCannotBeWrittenIsReportedAndItsLockReleased) {
  ASSERT_TRUE(tables::NETOPEN("DNORMWGR", true));
  xbase::Table& t = *tables::current();
  ASSERT_TRUE(tables::NETAPPEND());
  ASSERT_TRUE(t.putString(0, "003").isOk());
  // Another program leaves the index file unreadable before the change is written.
  testsupport::writeFile(m_dir / "DNORMWGR.CDX", "");
  EXPECT_FALSE(tables::NETUNLOCK());
  ASSERT_FALSE(m_port.messages().empty());
  const Message& shown = m_port.messages().back();
  EXPECT_EQ(shown.kind, Message::Kind::Alert);
  EXPECT_EQ(shown.title, "Netzwerkfehler");
  EXPECT_EQ(shown.text.rfind("Ein Datensatz konnte nicht geschrieben werden\r\n", 0), 0u)
      << shown.text;
  EXPECT_TRUE(t.lockedRecords().empty());
  // Nothing is left to write without a lock: moving on works.
  EXPECT_TRUE(t.goTo(1).isOk());
}

TEST_F(NetTest, FieldListsAndDeletingTheRowOfAList) {
  ASSERT_TRUE(tables::NETOPEN("DNORMRAB", false));
  EXPECT_EQ(tables::GETFELDER("dnormrab"),
            (std::vector<std::string>{"RABATTGRUP", "TEXT", "MULTI"}));
  EXPECT_EQ(tables::GETFELDTYPEN("DNORMRAB"), (std::vector<char>{'C', 'C', 'N'}));
  EXPECT_TRUE(tables::GETFELDER("NICHTDA").empty());
  for (const char* group : {"R1", "R2", "R3"}) addRecord({{"RABATTGRUP", group}, {"MULTI", "0.5"}});

  bool seek = false;
  ASSERT_TRUE(tables::current()->seek("R2", &seek).isOk() && seek);
  int resyncs = 0;
  auto resync = [&] { ++resyncs; };
  EXPECT_FALSE(tables::ZEILELOESCHEN("DNORMRAB", resync, [] { return false; }));
  EXPECT_EQ(resyncs, 0);
  EXPECT_TRUE(tables::ZEILELOESCHEN("DNORMRAB", resync, [] { return true; }));
  EXPECT_EQ(resyncs, 1);
  EXPECT_EQ(tables::current()->getString(0), "R3  ");  // moved on to the next record
  EXPECT_EQ(column("RABATTGRUP"), (std::vector<std::string>{"R1", "R3"}));
}

}  // namespace
