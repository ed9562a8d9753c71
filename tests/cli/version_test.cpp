#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(Cli, VersionAndHelp) {
  auto v = testsupport::run({testsupport::cliPath().string(), "--version"});
  EXPECT_EQ(v.exitCode, 0);
  EXPECT_EQ(v.out, "QMT Datanorm 2017 Build 101 vom 19.10.2017\n");
  auto h = testsupport::run({testsupport::cliPath().string(), "--help"});
  EXPECT_EQ(h.exitCode, 0);
  EXPECT_NE(h.out.find("Aufruf"), std::string::npos);
}
