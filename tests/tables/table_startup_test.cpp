#include "tables/table_startup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tables/tables_fixture.h"

namespace {

using ui::Message;

class TableStartupTest : public tablestest::ProgramDirTest {
 protected:
  // Starts the program in the test's program directory with the table layer's hooks.
  void startProgram() {
    auto previousDir = std::filesystem::current_path();
    ::setenv("ARTIKIMP_HOME", m_dir.path().c_str(), 1);
    app::StartupHooks hooks;
    tables::setStartupHooks(hooks);
    tables::SETCOMMIT(true);
    app::startUp("", hooks);
    ::unsetenv("ARTIKIMP_HOME");
    std::filesystem::current_path(previousDir);
  }
};

TEST_F(TableStartupTest, CreatesAndIndexesMissingTablesThenSwitchesCommitOff) {
  xbase::Table::setHideDeleted(false);
  startProgram();
  ASSERT_FALSE(m_port.messages().empty());
  EXPECT_EQ(m_port.messages()[0],
            (Message{Message::Kind::Information, "QMT Datanorm", "Datei: DNORMLTT.dbf fehlt", {}}));
  for (const std::string& name : tables::GETDBFS()) {
    EXPECT_TRUE(std::filesystem::exists(m_dir / (name + ".dbf"))) << name;
    EXPECT_TRUE(std::filesystem::exists(m_dir / (name + ".CDX"))) << name;
  }
  EXPECT_EQ(m_port.progressViews().size(), 1u);
  EXPECT_FALSE(tables::SETCOMMIT());
  EXPECT_TRUE(xbase::Table::hideDeleted());

  // With every table there, start-up shows nothing and reorganises nothing.
  size_t shown = m_port.messages().size();
  startProgram();
  EXPECT_EQ(m_port.messages().size(), shown);
  EXPECT_EQ(m_port.progressViews().size(), 1u);
}

TEST_F(TableStartupTest, LockSchemeIsTheInstallationsSetting) {
  struct Case {
    const char* ini;
    xbase::LockScheme scheme;
  };
  const Case cases[] = {{"", xbase::LockScheme::FoxPro},
                        {"[Netzwerk]\r\nSperrverfahren=clipper\r\n", xbase::LockScheme::Clipper},
                        {"[Netzwerk]\r\nSperrverfahren=FoxPro\r\n", xbase::LockScheme::FoxPro},
                        {"[Netzwerk]\r\nSperrverfahren=unbekannt\r\n", xbase::LockScheme::FoxPro}};
  for (const Case& c : cases) {
    testsupport::writeFile(m_dir / "ARTIKIMP.INI", c.ini);
    xbase::setLockScheme(c.scheme == xbase::LockScheme::FoxPro ? xbase::LockScheme::Clipper
                                                               : xbase::LockScheme::FoxPro);
    tables::configureEngine();
    EXPECT_EQ(xbase::lockScheme(), c.scheme) << c.ini;
  }
  xbase::setLockScheme(xbase::LockScheme::FoxPro);
}

}  // namespace
