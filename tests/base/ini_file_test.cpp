#include "base/ini_file.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using base::IniFile;

TEST(IniFile, ReadsWithProfileSemantics) {
  IniFile ini = IniFile::parse(
      "; settings\r\n"
      "[Voreinstellungen]\r\n"
      "  Mwst  =  19.00  \r\n"
      "Langtext=\r\n"
      "nur Preis 2/3/4/5=3\r\n"
      "Pfad=\"  /srv/qmt/  \"\r\n"
      "Quote='x'\r\n"
      "Half=\"x\r\n"
      "Mwst=7\r\n"
      "[ voreinstellungen ]\r\n"
      "Index=J\r\n");
  EXPECT_EQ(ini.value("VOREINSTELLUNGEN", "mwst"), "19.00");
  EXPECT_EQ(ini.value("Voreinstellungen", "Langtext"), "");  // present but empty
  EXPECT_EQ(ini.value("Voreinstellungen", "Menge"), std::nullopt);
  EXPECT_EQ(ini.value("Andere", "Mwst"), std::nullopt);
  EXPECT_EQ(ini.value("Voreinstellungen", "NUR PREIS 2/3/4/5"), "3");
  EXPECT_EQ(ini.value("Voreinstellungen", "Pfad"), "  /srv/qmt/  ");
  EXPECT_EQ(ini.value("Voreinstellungen", "Quote"), "x");
  EXPECT_EQ(ini.value("Voreinstellungen", "Half"), "\"x");
  // A section name that appears twice means its first occurrence.
  EXPECT_EQ(ini.value("Voreinstellungen", "Index"), std::nullopt);
  EXPECT_EQ(ini.keys("Voreinstellungen"),
            (std::vector<std::string>{"Mwst", "Langtext", "nur Preis 2/3/4/5", "Pfad", "Quote",
                                      "Half", "Mwst"}));
  EXPECT_TRUE(ini.keys("fehlt").empty());
}

TEST(IniFile, CutsLongValues) {
  IniFile ini = IniFile::parse("[S]\nK=" + std::string(5000, 'x') + "\n");
  EXPECT_EQ(ini.value("S", "K"), std::string(IniFile::kMaxValueLength, 'x'));
}

TEST(IniFile, WritesOneEntryAndKeepsEveryOtherLine) {
  const std::string original =
      "; Kommentar\r\n"
      "[Voreinstellungen]\r\n"
      "  Mwst = 16\r\n"
      "unbekannte Zeile\r\n"
      "\r\n"
      "[Config]\r\n"
      "Lokal=X\r\n";
  IniFile ini = IniFile::parse(original);
  ini.setValue("voreinstellungen", "MWST", "19.00");  // in place, the key keeps its spelling
  ini.setValue("Voreinstellungen", "nur Preis 2/3/4/5", "1");  // after the section's last line
  ini.setValue("Fenster", "Main", "0,0,800,600");              // a new section at the end
  EXPECT_EQ(ini.bytes(),
            "; Kommentar\r\n"
            "[Voreinstellungen]\r\n"
            "Mwst=19.00\r\n"
            "unbekannte Zeile\r\n"
            "nur Preis 2/3/4/5=1\r\n"
            "\r\n"
            "[Config]\r\n"
            "Lokal=X\r\n"
            "\r\n"
            "[Fenster]\r\n"
            "Main=0,0,800,600\r\n");
}

TEST(IniFile, KeepsTheLineEndsOfTheFile) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"LF file", "[A]\nx=1\n", "[A]\nx=1\ny=2\n"},
      {"CRLF file", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\ny=2\r\n"},
      {"new file", "", "[A]\r\ny=2\r\n"},
      {"no line end at all", "[A]\nx=1", "[A]\nx=1\ny=2\n"},
      {"mixed: every line keeps its own", "[A]\r\nx=1\n[B]\rz=3\r\n",
       "[A]\r\nx=1\ny=2\r\n[B]\rz=3\r\n"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::parse(c.before);
    ini.setValue("A", "y", "2");
    EXPECT_EQ(ini.bytes(), c.after) << c.name;
  }
}

TEST(IniFile, RemovesASectionWithAllItsLines) {
  IniFile ini = IniFile::parse("[Liste]\nZ1=a\n; zu Liste\n[Rest]\nk=v\n[LISTE]\nZ9=b\n");
  ini.removeSection("liste");
  EXPECT_EQ(ini.bytes(), "[Rest]\nk=v\n");
}

// Whatever the file holds, reading and writing never fail and the lines that cannot be
// understood come out of a write as they went in.
TEST(IniFile, SurvivesMalformedFiles) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"no brackets at all", "Mwst=19\nIndex=J\n"},
      {"binary bytes", std::string("\0\x01\xFF\xFE[\x80]=\0\r\n\x1A", 12)},
      {"100 kB line", std::string(100 * 1024, 'x') + "\n"},
      {"100 kB value", "[S]\nK=" + std::string(100 * 1024, 'v') + "\n"},
      {"mixed line ends", "[A]\r\nx=1\ny=2\rz=3\r\n"},
      {"unclosed header", "[Voreinstellungen\nMwst=7\n"},
      {"entry without key", "[S]\n=wert\n==\n"},
      {"only a line end", "\r\n"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::parse(c.bytes);
    EXPECT_EQ(ini.bytes(), c.bytes) << c.name;
    ini.keys("S");
    ini.value("Voreinstellungen", "Mwst");
    ini.setValue("Neu", "k", "v");
    std::string written = ini.bytes();
    // Everything that was there is still there, in front of the new section.
    EXPECT_EQ(written.substr(0, c.bytes.size()), c.bytes) << c.name;
    EXPECT_EQ(IniFile::parse(written).value("Neu", "k"), "v") << c.name;
  }
  // A header without its bracket does not start a section.
  EXPECT_EQ(IniFile::parse("[Voreinstellungen\nMwst=7\n").value("Voreinstellungen", "Mwst"),
            std::nullopt);
}

TEST(IniFile, ProfileFunctionsCreateAndReplaceTheFile) {
  testsupport::TempDir dir;
  auto file = dir / "ARTIKIMP.INI";
  EXPECT_EQ(base::readProfileString(file, "Voreinstellungen", "Mwst", "19.00"), "19.00");
  ASSERT_TRUE(base::writeProfileString(file, "Voreinstellungen", "Mwst", "7.00"));
  EXPECT_EQ(testsupport::readFile(file), "[Voreinstellungen]\r\nMwst=7.00\r\n");
  ASSERT_TRUE(base::writeProfileString(file, "Voreinstellungen", "Index", "J"));
  EXPECT_EQ(base::readProfileString(file, "voreinstellungen", "INDEX", "N"), "J");
  // Only the file itself is left: the temporary file was renamed over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  EXPECT_FALSE(base::writeProfileString(dir / "fehlt" / "X.INI", "S", "k", "v"));
  std::filesystem::create_directory(dir / "ordner.ini");
  EXPECT_FALSE(base::writeProfileString(dir / "ordner.ini", "S", "k", "v"));
  EXPECT_EQ(base::readProfileString(dir / "ordner.ini", "S", "k", "d"), "d");
}

}  // namespace
