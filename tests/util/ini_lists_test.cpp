#include "util/ini_lists.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

TEST(IniLists, TextIsStoredAsItsLinesAndReplacesTheWholeSection) {
  testsupport::TempDir dir;
  auto file = dir / "LISTE.INI";
  testsupport::writeFile(file,
                         "[Text]\r\nZ1=alt\r\nZ2=alt\r\nZ3=alt\r\nFremd=x\r\n[Andere]\r\nk=v\r\n");
  EXPECT_TRUE(util::SETTEXTINIARRAY("text", file, "a\r\nb"));
  EXPECT_EQ(testsupport::readFile(file), "[Andere]\r\nk=v\r\n\r\n[text]\r\nZ1=a\r\nZ2=b\r\n");
  EXPECT_EQ(util::GETTEXTINIARRAY("Text", file), "a\r\nb");
  EXPECT_EQ(util::GETINIARRAY("Text", file), (Lines{"a", "b"}));
}

TEST(IniLists, KeysQuotesAndEmptyLists) {
  testsupport::TempDir dir;
  auto file = dir / "X.def";
  EXPECT_TRUE(
      util::SETINIARRAY("Line", file, {" JANEIN(AUFNEHMEN) ", "WAGRU"}, {"K1", "K2"}, true));
  EXPECT_EQ(testsupport::readFile(file),
            "[Line]\r\nK1=\" JANEIN(AUFNEHMEN) \"\r\nK2=\"WAGRU\"\r\n");
  // The quotes keep the blanks; reading removes them again.
  EXPECT_EQ(util::GETINIARRAY("Line", file), (Lines{" JANEIN(AUFNEHMEN) ", "WAGRU"}));
  EXPECT_EQ(util::GETINIARRAY("Line", file, {"K2", "fehlt"}), (Lines{"WAGRU", ""}));

  EXPECT_TRUE(util::SETINIARRAY("Line", file, {}));
  EXPECT_EQ(testsupport::readFile(file), "");
  EXPECT_TRUE(util::GETINIARRAY("Line", file).empty());
  EXPECT_EQ(util::GETTEXTINIARRAY("Line", file), "");

  // Nothing to remove and nothing to write: no file appears.
  EXPECT_TRUE(util::SETINIARRAY("Line", dir / "NEU.INI", {}));
  EXPECT_FALSE(std::filesystem::exists(dir / "NEU.INI"));
  EXPECT_TRUE(util::GETINIARRAY("Line", dir / "NEU.INI").empty());
}

}  // namespace
