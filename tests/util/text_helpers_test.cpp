#include "util/text_helpers.h"

#include <gtest/gtest.h>

#include "util/list_helpers.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TextHelpers, TextToArraySplitsAtCrLfOnly) {
  EXPECT_EQ(util::TEXTTOARRAY("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(util::TEXTTOARRAY("a\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(util::TEXTTOARRAY(""), (Lines{""}));
  EXPECT_EQ(util::TEXTTOARRAY("a\nb\rc"), (Lines{"a\nb\rc"}));
  EXPECT_EQ(util::TEXTTOARRAY("\r\n\r\n"), (Lines{"", "", ""}));
}

TEST(TextHelpers, IniTokenCountsFieldsFromOne) {
  struct Case {
    const char* text;
    int n;
    const char* fallback;
    const char* expected;
  };
  const Case cases[] = {
      {"120,80,,45", 3, "60", "60"},                                // empty field
      {"120,80,,45", 4, "60", "45"}, {",120,80", 1, "", "120"},     // one leading comma skipped
      {",,120", 1, "d", "d"},                                       // only one
      {"120", 2, "60", "60"},                                       // too few fields
      {"120", 0, "60", "60"},        {" 120 ,80", 1, "", " 120 "},  // taken as it stands
      {"", 1, "60", "60"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(util::INITOKEN(c.text, c.n, c.fallback), c.expected) << c.text << " #" << c.n;
  }
}

TEST(TextHelpers, SecondsToTime) {
  struct Case {
    long seconds;
    const char* text;
  };
  const Case cases[] = {
      {0, "00:00:00"},      {50, "00:00:50"},      {3725, "01:02:05"},
      {359999, "99:59:59"}, {360000, "100:00:00"}, {-61, "-00:01:01"},
  };
  for (const Case& c : cases) EXPECT_EQ(util::secondsToTime(c.seconds), c.text) << c.seconds;
}

TEST(TextHelpers, DigitsAndLists) {
  EXPECT_EQ(util::TODIGIT("+49 (0)89-12 34"), "490891234");

  std::vector<std::string> list = {"DNORMWGR"};
  util::INSARRAY(list, std::string("DNORM"));  // "DNORMWGR" begins with it: counts as equal
  util::INSARRAY(list, std::string("DNORMRAB"));
  util::ARRAYADDARRAY(list, {"A", "B"});
  util::SWAPARRAY(list, 1, 4);
  util::SWAPARRAY(list, 1, 9);  // outside: nothing
  EXPECT_EQ(list, (Lines{"B", "DNORMRAB", "A", "DNORMWGR"}));

  std::vector<int> numbers = {12};
  util::INSARRAY(numbers, 1);
  util::INSARRAY(numbers, 12);
  EXPECT_EQ(numbers, (std::vector<int>{12, 1}));
}

}  // namespace
