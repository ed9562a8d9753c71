#include "views/record_order.h"

#include <gtest/gtest.h>

#include "views_fixture.h"

namespace {

class RecordOrderTest : public viewstest::FixtureTablesTest {
 protected:
  RecordOrderTest() : FixtureTablesTest({"DNORMRAB"}) {}
};

TEST_F(RecordOrderTest, PagesThroughTheVisibleRecordsInIndexOrder) {
  ASSERT_TRUE(tables::NETOPEN("DNORMRAB"));
  xbase::Table& t = *tables::current();
  // Index order 5 (deleted), 1, 2, 6, 3, 4.
  using Records = std::vector<uint32_t>;
  EXPECT_EQ(views::recordsAfter(t, 0, 2), (Records{1, 2}));
  EXPECT_EQ(views::recordsAfter(t, 2, 2), (Records{6, 3}));
  EXPECT_EQ(views::recordsAfter(t, 3, 2), (Records{4}));
  EXPECT_EQ(views::recordsAfter(t, 4, 2), Records{});
  // After a record that is marked deleted, the next visible one in its place follows.
  EXPECT_EQ(views::recordsAfter(t, 5, 10), (Records{1, 2, 6, 3, 4}));
  EXPECT_EQ(views::recordsAfter(t, 1, 0), Records{});
}

}  // namespace
