#include "cli/cli_env.h"

namespace {

using namespace clitest;

TEST(CommandLine, UsageErrorsEndWithStatusTwoBeforeAnythingIsTouched) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--frobnicate", "init"},
      {"--wait"},
      {"--wait", "bald", "init"},
      {"gibtsnicht"},
      {"import"},
      {"import", "--kind", "4", "DATANORM.001"},
      {"import", "DATANORM.001", "DATANORM.002"},
      {"delete"},
      {"delete", "2"},
      {"show"},
      {"show", "ARTIKEL"},
      {"show", "DNORMRAB", "--html"},
      {"settings", "Mwst"},
      {"settings", "Farbe", "rot"},
      {"settings", "Index", "ja"},
      {"settings", "Mwst", "7,5"},
      {"demo"},
      {"demo", "d", "--articles", "viele"},
  };
  testsupport::TempDir cwd;
  for (const auto& args : cases) {
    CommandResult r = cli(args);
    EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args) << r.err;
    EXPECT_TRUE(contains(r.err, "Aufruf:")) << testing::PrintToString(args) << r.err;
    EXPECT_EQ(r.out, "") << testing::PrintToString(args);
  }
}

}  // namespace
