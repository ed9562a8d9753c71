#include "gui/error_log.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>

#include "support/test_support.h"

namespace {

TEST(ErrorLog, ReportReplacesTheFileWithTimeBuildAndWhatHappened) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir / "error.log", "an old report\n");
  gui::setErrorLogFolder(dir.path());
  ASSERT_TRUE(gui::writeErrorLog("std::bad_alloc"));

  std::string report = testsupport::readFile(dir / "error.log");
  EXPECT_EQ(report.find("an old report"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "ERROR.LOG"));  // the existing name is kept
  std::smatch time;
  ASSERT_TRUE(std::regex_search(
      report, time, std::regex(R"(^Zeit: (\d\d\.\d\d\.\d{4}) \d\d:[0-5]\d:[0-5]\d\n)")));
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char today[11];
  std::strftime(today, sizeof today, "%d.%m.%Y", &local);
  EXPECT_EQ(time[1], today);
  EXPECT_NE(report.find("\nVersion: QMT DATANORM 2017 Build 101 vom 19.10.2017\n"),
            std::string::npos);
  EXPECT_NE(report.find("\nFehler: std::bad_alloc\n\nAufrufstapel:\n"), std::string::npos);
}

}  // namespace
