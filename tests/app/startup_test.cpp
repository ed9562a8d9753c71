#include "app/startup.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>

#include "app/paths.h"
#include "settings/cache.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"

namespace {

TEST(Startup, RunsTheStepsInOrderInTheProgramDirectory) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir / "ARTIKIMP.INI", "[Voreinstellungen]\r\nMwst=7.00\r\n");
  auto previousDir = std::filesystem::current_path();
  ::setenv("ARTIKIMP_HOME", (dir.path().string() + "/").c_str(), 1);
  ui::ScriptedPort port;
  ui::PortScope scope(port);

  std::vector<std::string> steps;
  app::StartupHooks hooks;
  hooks.showMainWindow = [&] { steps.push_back("window"); };
  hooks.checkOwnTables = [&] {
    steps.push_back("tables");
    EXPECT_EQ(std::filesystem::current_path(), dir.path());
    EXPECT_EQ(app::INILOKAL(), dir.path().string() + "/lokal/KASSE3.INI");
  };
  hooks.switchCommitOff = [&] { steps.push_back("commit"); };
  app::startUp("kasse3", hooks);
  std::filesystem::current_path(previousDir);
  ::unsetenv("ARTIKIMP_HOME");

  EXPECT_EQ(steps, (std::vector<std::string>{"window", "tables", "commit"}));
  EXPECT_EQ(app::MAINPFAD(), dir.path().string());
  EXPECT_EQ(settings::GETVORFELD(4), settings::Value(base::Decimal{7, 2}));  // cache loaded
  rlimit files;
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &files), 0);
  EXPECT_GE(files.rlim_cur, 255u);
  EXPECT_TRUE(port.messages().empty());
}

TEST(Startup, ProgramDirectoryIsTheExecutablesFolderWithoutHome) {
  ::unsetenv("ARTIKIMP_HOME");
  EXPECT_EQ(app::programDirectory(), std::filesystem::canonical("/proc/self/exe").parent_path());
}

}  // namespace
