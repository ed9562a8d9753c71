#include "views/record_editing.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "tables/other_process.h"
#include "views_fixture.h"

namespace {

using tablestest::column;
using ui::Message;

const std::string kTitle = "Hauptwarengruppen bearbeiten";

class RecordEditingTest : public viewstest::FixtureTablesTest {
 protected:
  RecordEditingTest() : FixtureTablesTest({"DNORMWGR", "DNORMRAB", "DNORMERT"}) {}

  // Opens the table as the browser does and stands on the record with this key.
  xbase::Table& openOn(const std::string& table, const xbase::Value& key) {
    EXPECT_TRUE(tables::NETOPEN(table));
    xbase::Table& t = *tables::current();
    bool found = false;
    EXPECT_TRUE(t.seek(key, &found).isOk());
    EXPECT_TRUE(found);
    return t;
  }
  xbase::Table& openOn(const std::string& table, const std::string& code) {
    xbase::Value key;
    key.str = code;
    return openOn(table, key);
  }

  // The messages shown since the last call.
  std::vector<Message> newMessages() {
    std::vector<Message> shown(m_port.messages().begin() + static_cast<long>(m_seen),
                               m_port.messages().end());
    m_seen = m_port.messages().size();
    return shown;
  }

  size_t m_seen = 0;
};

TEST_F(RecordEditingTest, GroupCodeMustBeGivenAndFree) {
  struct Case {
    const char* code;
    bool isNew;
    bool saved;
    const char* message;  // nullptr: none
  };
  const Case cases[] = {
      {"001", true, false, "001 wird bereits benutzt!"},
      {"a1", true, false, "a1  wird bereits benutzt!"},  // the key as stored, padded
      {"   ", true, false, "Eine Eingabe der Warengruppe ist erforderlich"},
      {"002", false, false, "002 wird bereits benutzt!"},  // 010 renamed to another's code
      {"010", false, true, nullptr},  // saved unchanged: its own code is no conflict
      {"a2", true, true, nullptr},    // codes compare exactly: "A2" would be another group
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(tables::NETOPEN("DNORMWGR"));
    size_t before = column("WAGRU").size();
    xbase::Table& t = openOn("DNORMWGR", "010");
    views::GroupRecord record = c.isNew ? views::GroupRecord() : views::currentGroup(t);
    record.code = c.code;
    EXPECT_EQ(views::saveGroup(record, c.isNew, kTitle), c.saved) << c.code;
    std::vector<Message> expected;
    if (c.message) expected.push_back({Message::Kind::Information, kTitle, c.message, {}});
    EXPECT_EQ(newMessages(), expected) << c.code;
    EXPECT_EQ(column("WAGRU").size(), before + (c.saved && c.isNew ? 1 : 0)) << c.code;
    tables::closeAll();
  }
  ASSERT_TRUE(tables::NETOPEN("DNORMWGR"));
  bool found = false;
  ASSERT_TRUE(tables::current()->seek(std::string("a2 "), &found).isOk());
  ASSERT_TRUE(found);
  // A new group starts included, with an empty text.
  EXPECT_EQ(tables::current()->getString(1), std::string(40, ' '));
  EXPECT_TRUE(views::currentGroup(*tables::current()).include);
}

TEST_F(RecordEditingTest, NewDiscountGroupStoresItsMultiplier) {
  xbase::Table& t = openOn("DNORMRAB", "R2");
  views::DiscountRecord record;
  record.code = "R3";
  record.text = "Rabattgruppe 3";
  record.multiplier = 0.95;
  ASSERT_TRUE(views::saveDiscount(record, true, kTitle));
  EXPECT_EQ(t.rawField(t.fieldIndex("MULTI")), "0.9500");
  EXPECT_EQ(column("RABATTGRUP"),
            (std::vector<std::string>{"R1", "R10", "R1A", "R2", "R3", base::ansi("ÄX01")}));

  record.code = "";
  EXPECT_FALSE(views::saveDiscount(record, true, kTitle));
  EXPECT_EQ(newMessages(), (std::vector<Message>{{Message::Kind::Information,
                                                  kTitle,
                                                  "Eine Eingabe der Rabattgruppe ist erforderlich",
                                                  {}}}));
}

TEST_F(RecordEditingTest, ErrorTextEditorStoresOnlyWhatItShows) {
  xbase::Value twelve;
  twelve.type = xbase::Value::Type::Numeric;
  twelve.num = 12;
  xbase::Table& t = openOn("DNORMERT", twelve);
  std::string before = t.recordBytes();
  views::ErrorTextRecord record = views::currentErrorText(t);
  EXPECT_EQ(record.comment,
            base::ansi("Der Artikel ist bereits vorhanden; Satz wird übersprungen."));
  record.ignore = true;
  ASSERT_TRUE(views::saveErrorText(record, kTitle));
  ASSERT_TRUE(t.goTo(t.recNo()).isOk());  // read back from the file
  std::string after = t.recordBytes();
  size_t flag = t.fields()[static_cast<size_t>(t.fieldIndex("OHNE"))].offset;
  EXPECT_EQ(after[flag], 'T');
  after[flag] = before[flag];
  EXPECT_EQ(after, before);

  xbase::Value minusOne = twelve;
  minusOne.num = -1;
  xbase::Table& u = openOn("DNORMERT", minusOne);
  record = views::currentErrorText(u);
  record.ignore = true;
  EXPECT_FALSE(views::saveErrorText(record, kTitle));
  EXPECT_FALSE(views::currentErrorText(u).ignore);
  EXPECT_EQ(newMessages(),
            (std::vector<Message>{{Message::Kind::Information,
                                   kTitle,
                                   base::ansi("Fehler-Nr. muß größer/gleich 0 sein."),
                                   {}}}));
}

TEST_F(RecordEditingTest, RecordLockedElsewhereIsNotWritten) {
  std::string file = path("DNORMWGR.dbf");
  std::unique_ptr<xbase::Table> held;
  tablestest::OtherProcess other([&] {
    return xbase::Table::open(file, {xbase::OpenMode::Shared, nullptr}, &held).isOk() &&
           held->lockRecord(1).isOk();
  });
  ASSERT_TRUE(other.ready());
  xbase::Table& t = openOn("DNORMWGR", "010");
  views::GroupRecord record = views::currentGroup(t);
  record.text = "Geändert";
  m_port.cancelNextLockAtPoll(1);
  EXPECT_FALSE(views::saveGroup(record, false, kTitle));
  EXPECT_EQ(m_port.lockDialogs().size(), 1u);
  other.release();
  ASSERT_TRUE(t.goTo(1).isOk());
  EXPECT_EQ(views::currentGroup(t).text, base::ansi("Sanitär"));
}

}  // namespace
