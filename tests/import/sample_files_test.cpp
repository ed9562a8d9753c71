#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "import/empty_merchandise.h"
#include "import/import_env.h"
#include "tables/net.h"

namespace {

using importtest::Record;
using ui::Answer;

// The real supplier samples. Files that lost their CRs on the way are converted back to
// CR LF where the test needs the supplier's layout.
class SampleFilesTest : public importtest::ImportTest {
 protected:
  std::filesystem::path sample(const std::string& name, bool withCr) {
    std::string bytes = testsupport::readFile(testsupport::fixturesDir() / "datanorm" / name);
    if (!withCr) return testsupport::fixturesDir() / "datanorm" / name;
    std::string converted;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) converted += '\r';
      converted += bytes[i];
    }
    std::filesystem::path file = m_dir.path() / std::filesystem::path(name).filename();
    testsupport::writeFile(file, converted);
    return file;
  }
};

TEST_F(SampleFilesTest, LfOnlyFileIsOneLineToTheReader) {
  EXPECT_FALSE(runFile(0, sample("halo/v4_with_texts.001", false)));
  EXPECT_EQ(messages().back().text, "Kein weiterer Datensatz vorhanden");
  EXPECT_TRUE(m_port.progressViews().empty());
}

TEST_F(SampleFilesTest, ArticlesWithTextBlocksAfterTheirArticle) {
  ASSERT_TRUE(runFile(0, sample("halo/v4_with_texts.001", true)));
  Record a = article("100033152");
  EXPECT_EQ(a.at("ARTIKEL"), "DIS-AM 20 BUS");
  EXPECT_EQ(a.at("ZUSATZ"), "Infrarot-Bewegungsmelder");
  EXPECT_EQ(a.at("NETTO"), "280.00");
  EXPECT_EQ(a.at("RABATTGRUP"), "06");
  EXPECT_EQ(a.at("WAGRU"), "004");
  EXPECT_EQ(a.at("WAGRU2"), "004.050");
  EXPECT_EQ(a.at("EINHEIT"), "St.");
  // The text block comes after the article, so the article has the flag but no text yet.
  EXPECT_EQ(a.at("LANGTEXT"), "T");
  EXPECT_FALSE(longText("100033152"));
  // The block itself is stored, its umlauts in the Windows character set.
  std::vector<std::string> lines;
  for (const Record& r : ownRows("DNORMLTT")) {
    if (r.at("LTNUMMER") == "TNT6841") lines.push_back(r.at("TEXT"));
  }
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[2], base::ansi("geschlossenen Räumen verwendet werden."));
  EXPECT_EQ(lines[23], "");  // line 24 is a blank
  // Both articles name the discount group 06, which no discount-group file delivered.
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"103", "103"}));
}

TEST_F(SampleFilesTest, TextBlockBeforeItsArticle) {
  ASSERT_TRUE(runFile(0, sample("halo/v4_text_product_and_extra.001", false)));
  Record a = article("Z-0159");
  EXPECT_EQ(a.at("ARTIKEL"), "Aufbewahrungspult");
  EXPECT_EQ(a.at("ZUSATZ"), "ABP");
  EXPECT_EQ(a.at("LANGTEXT"), "T");
  EXPECT_EQ(a.at("NETTO"), "199.00");
  EXPECT_EQ(a.at("RABATTGRUP"), "");
  std::string text = longText("Z-0159").value_or("");
  EXPECT_EQ(text.substr(0, 19), "Aufbewahrungspult\r\n");
  EXPECT_NE(text.find("Montagematerial.\r\nZ-0159"), std::string::npos);
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(SampleFilesTest, ArticleAndAdditionalData) {
  ASSERT_TRUE(runFile(0, sample("fahrjo/datanorm_test.001", true)));
  Record a = article("899977");
  EXPECT_EQ(a.at("ARTIKEL"), "HAGER Leitungsschutzschalter AC C 16A 3p");
  EXPECT_EQ(a.at("ZUSATZ"), base::ansi("MCS316 415V 3TE 50Hz Zusatzeinr.mögl"));
  EXPECT_EQ(a.at("LIEF_A_NR"), "MCS316");
  EXPECT_EQ(a.at("FREIFELD1"), "3250614315336");
  EXPECT_EQ(a.at("WAGRU2"), "12");
  EXPECT_EQ(progress().texts[302], "1");
  EXPECT_EQ(progress().texts[304], "1");
}

TEST_F(SampleFilesTest, ProductGroupFileInTheWindowsCharacterSet) {
  ASSERT_TRUE(runFile(1, sample("fahrjo/datanorm_test.WRG", true)));
  std::vector<Record> groups = ownRows("DNORMWGR");
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].at("WAGRU"), "01");
  // Written in Windows-1252 by its supplier, the file still passes through the DOS
  // conversion: 0xE4 ("ä" in 1252) is "õ" in code page 850.
  EXPECT_EQ(groups[0].at("TEXT"), "Installationsger\xF5te & -systeme");
  EXPECT_EQ(groups[1].at("WAGRU"), "03");
}

// The tables an import wrote pass the independent check of the command-line tool: every
// index of ARTIKEL and LANGTEXT and of the own tables agrees with the records.
TEST_F(SampleFilesTest, ImportedTablesPassTheCommandLineCheck) {
  setSetting("Index", "J");
  setSetting("Loeschen", "3");
  ASSERT_TRUE(runFile(0, sample("halo/v4_with_texts.001", true)));
  ASSERT_TRUE(
      runImport(0, {importtest::header(), "A;A;100033152;40;Neuer Text;;1;0;;30000;;;TNT6841",
                    "A;X;100033162;;NEU-1;;;;;;;;", "A;N;NEU-2;01;Ganz neu;;2;2;Stck;12345;;SAN;",
                    "B;A;NEU-2;MATCH;;;;;;4000000000017;;W2;", "A;L;NEU-2;;;;;;;;;;"}));
  EXPECT_EQ(longText("100033152").value_or("").substr(0, 38),
            "Der DIS-AM 20/60 Infrarot-Melder kann\r");
  tables::closeAll();
  auto verify = [](const std::filesystem::path& folder, const std::string& table,
                   const std::vector<std::string>& bags) {
    std::vector<std::string> args = {testsupport::cliPath().string(), "table", "verify",
                                     (folder / (table + ".dbf")).string()};
    for (const std::string& bag : bags) args.push_back((folder / (bag + ".cdx")).string());
    testsupport::CommandResult result = testsupport::run(args);
    EXPECT_EQ(result.exitCode, 0) << table << "\n" << result.out << result.err;
  };
  std::vector<std::string> articleBags;
  for (const auto& index : dnorm::kMerchandiseArticleIndexes) articleBags.push_back(index.name);
  verify(m_lgw, "ARTIKEL", articleBags);
  verify(m_lgw, "LANGTEXT", {"LANGNUM", "LANGNUM1", "LANGNUM2"});
  for (const char* own : {"DNORMLTT", "DNORMERR", "DNORMPRO"}) verify(m_home, own, {own});
}

// Changes against the genuine article table of another xBase program, with all the
// article indexes it built; the result is checked by the command-line tool.
TEST_F(SampleFilesTest, GenuineArticleTableStaysConsistent) {
  const std::vector<std::string> indexes = {"LANUM",  "LANAM",    "LALIEF",
                                            "LAGRUP", "LALIENUM", "LA_FREI1"};
  std::vector<std::string> files = {"ARTIKEL.dbf",  "LANGTEXT.dbf", "LANGNUM.cdx", "LANGNUM1.cdx",
                                    "LANGNUM2.cdx", "QMTIND.dbf",   "LA_EAN.cdx",  "LAFAV1.cdx"};
  for (const std::string& index : indexes) files.push_back(index + ".cdx");
  testsupport::copyFixtures(m_lgw, "xbase", files);
  setSetting("Index", "J");
  setSetting("Loeschen", "3");
  m_port.answer(Answer::Yes, "Kundennummer");
  ASSERT_TRUE(runImport(
      0,
      {importtest::header(), "K;;4711;", "A;A;0007919;00;Neuer Text;Zusatz;1;0;;10000;;;",
       "A;X;0015838;;NEU-1;;;;;;;;", "A;L;0023757;;;;;;;;;;", "A;L;AB959491;;;;;;;;;;",
       "A;N;NEU-2;01;Ganz neu;;2;2;Stck;12345;;SAN;", "B;A;NEU-2;MATCH;;;;;;4000000000017;;W2;"}));
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"151"}));  // AB959491 is a deleted record
  Record changed = article("0007919");
  EXPECT_EQ(changed.at("ARTIKEL"), "Neuer Text");
  EXPECT_EQ(changed.at("WG_IATA"), "CHF");
  EXPECT_EQ(changed.at("NETTO"), "94.12");  // 100 EUR in CHF
  EXPECT_FALSE(article("NEU-1").empty());
  EXPECT_TRUE(article("0015838").empty());
  EXPECT_TRUE(article("0023757").empty());
  EXPECT_EQ(article("NEU-2").at("LIEF_A_NR"), "MATCH");

  std::vector<std::string> verify = {testsupport::cliPath().string(), "table", "verify",
                                     (m_lgw / "ARTIKEL.dbf").string()};
  for (const std::string& index : indexes) verify.push_back((m_lgw / (index + ".cdx")).string());
  testsupport::CommandResult result = testsupport::run(verify);
  EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
  testsupport::CommandResult longTexts =
      testsupport::run({testsupport::cliPath().string(), "table", "verify",
                        (m_lgw / "LANGTEXT.dbf").string(), (m_lgw / "LANGNUM.cdx").string(),
                        (m_lgw / "LANGNUM1.cdx").string(), (m_lgw / "LANGNUM2.cdx").string()});
  EXPECT_EQ(longTexts.exitCode, 0) << longTexts.out << longTexts.err;
}

}  // namespace
