#include <gtest/gtest.h>

#include "app/paths.h"
#include "base/ini_file.h"
#include "support/test_support.h"
#include "views/list_layout.h"
#include "views/window_layout.h"

namespace {

constexpr const char* kKey = "EditTabelle:DNORMWGR";

// A program directory with the workstation KASSE1, whose local INI file takes the layout.
class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() { app::setupPaths(m_dir.path(), "Kasse1"); }

  std::string local() const { return testsupport::readFile(app::INILOKAL()); }
  // The entries of the key's section as "key=value" lines, in file order.
  std::vector<std::string> section() const {
    std::vector<std::string> lines;
    auto ini = base::IniFile::load(app::INILOKAL());
    for (const std::string& k : ini->keys(kKey)) lines.push_back(k + "=" + *ini->value(kKey, k));
    return lines;
  }
  void setEntry(const std::string& key, const std::string& value) {
    base::writeProfileString(app::INILOKAL(), kKey, key, value);
  }

  testsupport::TempDir m_dir;
};

TEST_F(LayoutTest, FirstUseWritesEveryEntryWithItsDefault) {
  EXPECT_EQ(views::LOADWINDOW(kKey), views::WindowRect{});
  views::ListLayout layout = views::readListLayout(kKey, "SPALTEN");
  EXPECT_EQ(layout.font, views::ListFont{});
  EXPECT_EQ(layout.columns, "");
  EXPECT_NE(app::INILOKAL(), app::INIGLOBAL());
  EXPECT_NE(local().find("[EditTabelle:DNORMWGR]\r\nWinTop=0\r\n"), std::string::npos);
  // Numbers keep the blanks they are written with: the file reads "Hoehe=       -12".
  EXPECT_NE(local().find("Hoehe=       -12\r\nBreite=         0\r\n"), std::string::npos);
  EXPECT_EQ(section(),
            (std::vector<std::string>{"WinTop=0", "WinLeft=0", "WinBottom=0", "WinRight=0",
                                      "Name=Arial", "Hoehe=-12", "Breite=0", "Bold=.F.",
                                      "Italic=.F.", "UnderLine=.F.", "StrikeOut=.F.", "SPALTEN="}));
}

TEST_F(LayoutTest, ValuesEqualToTheirDefaultAreWrittenBackOthersStay) {
  struct Case {
    const char* key;
    const char* stored;
    const char* inFileAfter;
  };
  const Case cases[] = {
      {"WinTop", "abc", "0"},          // no number reads 0, the default
      {"WinLeft", "120", "120"},       // not the default: left alone
      {"Hoehe", "-12", "       -12"},  // the default in another spelling
      {"Breite", "7", "7"},
      {"Bold", ".t.", ".t."},   // true in any letter case
      {"Italic", "ja", ".F."},  // anything else is false, the default
      {"Name", "Courier New", "Courier New"},
      {"SPALTEN", "60,120", "60,120"},
  };
  for (const Case& c : cases) setEntry(c.key, c.stored);
  views::WindowRect rect = views::LOADWINDOW(kKey);
  views::ListLayout layout = views::readListLayout(kKey, "SPALTEN");
  for (const Case& c : cases) {
    EXPECT_NE(local().find(std::string(c.key) + "=" + c.inFileAfter + "\r\n"), std::string::npos)
        << c.key;
  }
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(layout.font.width, 7);
  EXPECT_TRUE(layout.font.bold);
  EXPECT_FALSE(layout.font.italic);
  EXPECT_EQ(layout.font.name, "Courier New");
  EXPECT_EQ(layout.columns, "60,120");
}

TEST_F(LayoutTest, StoredWindowKeepsItsEdgesWhileMaximisedOrMinimised) {
  views::storeWindow(kKey, {20, 10, 319, 409}, false, false);
  EXPECT_EQ(section(), (std::vector<std::string>{"WinLeft=10", "WinTop=20", "WinRight=409",
                                                 "WinBottom=319", "WinZoom=.F.", "WinIcon=.F."}));
  views::storeWindow(kKey, {0, 0, 1023, 767}, true, false);
  views::storeWindow(kKey, {5, 5, 50, 50}, false, true);
  EXPECT_EQ(section(), (std::vector<std::string>{"WinLeft=10", "WinTop=20", "WinRight=409",
                                                 "WinBottom=319", "WinZoom=.F.", "WinIcon=.T."}));
  views::storeWindow(kKey, {0, 0, 1023, 767}, true, false);
  EXPECT_NE(local().find("WinZoom=.T."), std::string::npos);
  EXPECT_EQ(views::LOADWINDOW(kKey), (views::WindowRect{20, 10, 319, 409}));
}

TEST(ColumnWidthsTest, PiecesUpToTheFirstEmptyOneClampedAndFitted) {
  struct Case {
    const char* stored;
    size_t count;
    std::vector<int> widths;
  };
  const Case cases[] = {
      {"3,700,abc", 3, {5, 600, 5}},
      {"100,,200", 3, {100, 100, 100}},  // stops at the empty piece; the rest get the fill
      {"100, ,200", 3, {100, 100, 100}},
      {" 1 20 ,80", 3, {120, 80, 100}},  // blanks inside a number are removed
      {",60,70", 2, {60, 70}},           // one leading comma is skipped
      {"10,20,30,40", 2, {10, 20}},      // surplus widths are dropped
      {"", 2, {100, 100}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(views::columnWidths(c.stored, c.count, 100), c.widths) << c.stored;
}

TEST(FontRequestTest, PointsBecomePixelsWithTheSignTurned) {
  EXPECT_EQ(views::fontRequestPixels(-12, 96), 16);  // the default: a 16-pixel cell
  EXPECT_EQ(views::fontRequestPixels(10, 96), -13);  // a character 13 pixels high
  EXPECT_EQ(views::fontRequestPixels(-12, 120), 20);
  EXPECT_EQ(views::fontRequestPixels(0, 96), 0);
}

TEST_F(LayoutTest, ColumnWidthsAreStoredJoinedByCommas) {
  views::storeColumnWidths(kKey, "SPALTEN", {60, 120, 300});
  EXPECT_NE(local().find("SPALTEN=60,120,300\r\n"), std::string::npos);
  EXPECT_EQ(views::readListLayout(kKey, "SPALTEN").columns, "60,120,300");
}

}  // namespace
