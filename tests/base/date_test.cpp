#include "base/date.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

TEST(Date, ParsesTheGermanFormWithTheTwoDigitYearWindow) {
  struct Case {
    const char* text;
    std::optional<base::Date> date;
  };
  const Case cases[] = {
      {"03.11.98", year{1998} / 11 / 3},
      {"03.11.05", year{2005} / 11 / 3},
      {"01.01.70", year{1970} / 1 / 1},
      {"31.12.69", year{2069} / 12 / 31},
      {"19.10.2017", year{2017} / 10 / 19},
      {" 3.1.2017 ", year{2017} / 1 / 3},
      {"29.02.2000", year{2000} / 2 / 29},
      {"29.02.1900", std::nullopt},
      {"31.04.2017", std::nullopt},
      {"00.01.2017", std::nullopt},
      {"01.13.2017", std::nullopt},
      {"", std::nullopt},
      {"  .  .    ", std::nullopt},
      {"03-11-98", std::nullopt},
      {"03.11.198", std::nullopt},
      {"03.11.1998.", std::nullopt},
      {"3a.11.98", std::nullopt},
      {"123.11.98", std::nullopt},
      {"99999999999999999999.1.2000", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(base::parseDate(c.text), c.date) << '"' << c.text << '"';
}

TEST(Date, FormatsAndCountsDays) {
  base::Date date = year{2016} / 2 / 28;
  EXPECT_EQ(base::formatDate(date), "28.02.2016");
  EXPECT_EQ(base::dtos(date), "20160228");
  EXPECT_EQ(base::formatDate(date + days{1}), "29.02.2016");
  EXPECT_EQ(base::dtos(base::Date{year{2017} / 12 / 31} + days{1}), "20180101");
  EXPECT_EQ((base::Date{year{2017} / 10 / 19} - base::Date{year{2017} / 4 / 18}).count(), 184);
  EXPECT_EQ(base::formatDate(*base::parseDate("5.7.08")), "05.07.2008");
}

}  // namespace
