#include "util/files.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"

namespace {

using Names = std::vector<std::string>;

TEST(Files, FileListMatchesWithoutRegardToCase) {
  testsupport::TempDir dir;
  for (const char* name : {"b.DEF", "A.def", "c.txt", "noext", "x.def.bak"}) {
    testsupport::writeFile(dir / name, "");
  }
  std::filesystem::create_directory(dir / "ordner.def");
  EXPECT_EQ(util::GETFILELIST(dir / "*.def"), (Names{"A.def", "b.DEF"}));
  EXPECT_EQ(util::GETFILELIST(dir / "*.DEF", false), (Names{"A", "b"}));
  EXPECT_EQ(util::GETFILELIST(dir / "?.DE?"), (Names{"A.def", "b.DEF"}));
  EXPECT_EQ(util::GETFILELIST(dir / "*.d*"), (Names{"A.def", "b.DEF", "x.def.bak"}));
  EXPECT_EQ(util::GETFILELIST(dir / "NOEXT.*"), (Names{"noext"}));
  EXPECT_EQ(util::GETFILELIST(dir / "*.*").size(), 5u);
  EXPECT_TRUE(util::GETFILELIST(dir / "*.dbf").empty());
  EXPECT_TRUE(util::GETFILELIST(dir / "fehlt" / "*.def").empty());
}

TEST(Files, FileNameWithoutPath) {
  struct Case {
    const char* path;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\Temp\\Kasse12.cfg", "KASSE12.CFG"},
      {"/srv/qmt/artikel.dbf", "ARTIKEL.DBF"},
      {"C:\\Temp\\", "\\TEMP\\"},
      {"C:liefer.001", "LIEFER.001"},
      {"liefer.001", "LIEFER.001"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(util::CFILENOPATH(c.path), c.name) << c.path;
  EXPECT_EQ(util::CFILENOPATH(base::ansi("/daten/bestände.dbf")), base::ansi("BESTÄNDE.DBF"));
}

TEST(Files, TestDateiReportsTheFirstMissingFileOnly) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir / "artikel.DBF", "");
  std::string folder = dir.path().string() + "/";
  ui::ScriptedPort port;
  ui::PortScope scope(port);
  EXPECT_TRUE(util::TESTDATEI(folder, {"ARTIKEL.dbf"}, "QMT Warenwirtschaft-Dateien"));
  EXPECT_FALSE(util::TESTDATEI(folder, {"ARTIKEL.dbf", "LANUM.cdx", "LANGTEXT.dbf"},
                               "QMT Warenwirtschaft-Dateien"));
  ASSERT_EQ(port.messages().size(), 1u);
  EXPECT_EQ(port.messages()[0],
            (ui::Message{ui::Message::Kind::Information, "QMT Warenwirtschaft-Dateien",
                         "Datei: " + folder + "LANUM.cdx\r\nnicht vorhanden", std::nullopt}));
}

}  // namespace
