#include "app/change_log.h"

#include <gtest/gtest.h>

#include "app/version.h"
#include "base/cp1252.h"

namespace {

using std::chrono::year;

TEST(ChangeLog, EightChangesOfBuild101) {
  auto records = app::BUILDCHANGES();
  ASSERT_EQ(records.size(), 8u);
  for (const auto& r : records) {
    EXPECT_EQ(r.year, 2017);
    EXPECT_EQ(r.build, 101);
    EXPECT_EQ(r.date, base::Date{year{2017} / 4 / 18});
    ASSERT_EQ(r.editor.size(), 2u);
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(r.editor[0])) &&
                std::isupper(static_cast<unsigned char>(r.editor[1])));
  }
  EXPECT_EQ(records[4].text, base::ansi("Seite 'Hilfe - Info' wurde überarbeitet."));

  std::string text = app::changeLogText(records);
  const std::string heading = "===== QMT Datanorm 2017 Build 101 vom 18.04.2017 ===== \r\n";
  EXPECT_TRUE(text.starts_with(heading + " * Import mit allen Indexdateien: "));
  EXPECT_TRUE(text.ends_with(" * " + records[7].text + "\r\n\r\n"));
  EXPECT_EQ(text.find("=====", heading.size()), std::string::npos);  // one group only
}

TEST(ChangeLog, EveryBuildStartsAGroupAfterAnEmptyLine) {
  const base::Date date = year{2017} / 4 / 18;
  std::vector<app::ChangeRecord> records = {
      {2017, 101, date, "AB", "eins"},
      {2017, 101, date, "AB", "zwei"},
      {2017, 102, year{2017} / 10 / 19, "CD", "drei"},  // same year, other build
      {2018, 102, year{2018} / 1 / 2, "CD", "vier"},    // other year, same build
  };
  EXPECT_EQ(app::changeLogText(records),
            "===== QMT Datanorm 2017 Build 101 vom 18.04.2017 ===== \r\n"
            " * eins\r\n\r\n"
            " * zwei\r\n\r\n"
            "\r\n"
            "===== QMT Datanorm 2017 Build 102 vom 19.10.2017 ===== \r\n"
            " * drei\r\n\r\n"
            "\r\n"
            "===== QMT Datanorm 2018 Build 102 vom 02.01.2018 ===== \r\n"
            " * vier\r\n\r\n");
  EXPECT_EQ(app::changeLogText({}), "");
}

TEST(Version, InformationBoxTexts) {
  EXPECT_EQ(app::MAINVERSION(), "2017 Build 101");
  EXPECT_EQ(app::versionLine(), "2017 Build 101 vom 19.10.2017\r\nDatanorm 4.0");
  std::string contact = app::makerContact();
  EXPECT_TRUE(contact.starts_with("Dies ist ein Produkt von: \r\n"));
  EXPECT_NE(contact.find(" * "), std::string::npos);
  EXPECT_NE(contact.find("\r\nTel: "), std::string::npos);
  EXPECT_NE(contact.find(" * Fax: "), std::string::npos);
  EXPECT_NE(contact.find("\r\nE-Mail: "), std::string::npos);
  EXPECT_NE(contact.find("\r\nHomepage: "), std::string::npos);
  EXPECT_EQ(std::count(contact.begin(), contact.end(), '\n'), 4);
}

}  // namespace
