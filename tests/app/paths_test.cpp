#include "app/paths.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"

namespace {

TEST(Paths, WorkstationNameFromTheCommandLine) {
  struct Case {
    const char* argument;
    const char* name;
  };
  const Case cases[] = {
      {"", ""},
      {"C:\\Temp\\Kasse12.cfg", "Kasse12"},
      {"Arbeitsplatz2", "Arbeitsp"},
      {".ini", ""},
      {"C:\\Temp\\", "\\Temp\\"},  // separator last: what follows the colon
      {"/etc/artikimp/kasse3.conf", "kasse3"},
      {"/etc/artikimp/", "/etc/art"},
      {"D:lager.x", "lager"},
      {"  Kasse 7  .ini", "Kasse 7"},
      {"Buero.Nord.ini", "Buero.No"},  // only the last extension goes
      {"AB        CD", "AB"},          // blanks after the cut to 8 go too
      {"Bürokasse1", "Bürokass"},      // 8 characters, not bytes
  };
  for (const Case& c : cases) EXPECT_EQ(app::workstationName(c.argument), c.name) << c.argument;
}

class PathsSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    m_home = m_dir.path() / "QMT Datanorm";  // mixed case, with a blank
    std::filesystem::create_directory(m_home);
  }
  std::string home() const { return m_home.string(); }

  testsupport::TempDir m_dir;
  std::filesystem::path m_home;
  ui::ScriptedPort m_port;
  ui::PortScope m_scope{m_port};
};

TEST_F(PathsSetup, WithoutWorkstationTheGlobalFileServesAsLocal) {
  app::setupPaths(m_home / "", "");
  EXPECT_EQ(app::MAINPFAD(), home());
  EXPECT_EQ(app::INIGLOBAL(), home() + "/ARTIKIMP.INI");
  EXPECT_EQ(app::INILOKAL(), app::INIGLOBAL());
  EXPECT_TRUE(std::filesystem::is_directory(m_home / "lokal"));
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(PathsSetup, WorkstationGetsItsOwnFileWithTheConfigEntry) {
  app::setupPaths(m_home, "C:\\Temp\\Kasse12.cfg");
  std::string local = home() + "/lokal/KASSE12.INI";
  EXPECT_EQ(app::INILOKAL(), local);
  EXPECT_EQ(testsupport::readFile(local), "[Config]\r\nLokal=" + local + "\r\n");
  EXPECT_TRUE(m_port.messages().empty());

  app::setupPaths(m_home, "Arbeitsplatz2");
  EXPECT_EQ(app::INILOKAL(), home() + "/lokal/ARBEITSP.INI");
}

TEST_F(PathsSetup, ExistingFilesAndFoldersAreUsedWhateverTheirCase) {
  testsupport::writeFile(m_home / "artikimp.ini", "[Voreinstellungen]\r\n");
  std::filesystem::create_directory(m_home / "LOKAL");
  testsupport::writeFile(m_home / "LOKAL" / "kasse12.ini", "; eigene Zeile\r\n");
  app::setupPaths(m_home, "Kasse12");
  EXPECT_EQ(app::INIGLOBAL(), home() + "/artikimp.ini");
  EXPECT_EQ(app::INILOKAL(), home() + "/LOKAL/kasse12.ini");
  EXPECT_FALSE(std::filesystem::exists(m_home / "lokal"));
  EXPECT_EQ(testsupport::readFile(app::INILOKAL()),
            "; eigene Zeile\r\n\r\n[Config]\r\nLokal=" + app::INILOKAL() + "\r\n");
}

TEST_F(PathsSetup, AnUnwritableLocalFileIsReportedAndTheGlobalOneServes) {
  struct Case {
    const char* name;
    const char* argument;
    bool fileNamedLokal;
  };
  const Case cases[] = {
      {"name with separators leads into a missing folder", "C:\\Temp\\", false},
      {"a file named lokal stands in the way", "Kasse1", true},
  };
  for (const Case& c : cases) {
    testsupport::TempDir dir;
    if (c.fileNamedLokal) testsupport::writeFile(dir / "lokal", "");
    ui::ScriptedPort port;
    ui::PortScope scope(port);
    app::setupPaths(dir.path(), c.argument);
    EXPECT_EQ(app::INILOKAL(), app::INIGLOBAL()) << c.name;
    ASSERT_EQ(port.messages().size(), 1u) << c.name;
    EXPECT_EQ(port.messages()[0].kind, ui::Message::Kind::Information);
    EXPECT_EQ(port.messages()[0].title, "QMT Datanorm");
    EXPECT_TRUE(port.messages()[0].text.starts_with(
        "Konnte lokale Einstellungs-Datei nicht anlegen:\r\n" + dir.path().string() + "/lokal/"))
        << port.messages()[0].text;
  }
}

}  // namespace
