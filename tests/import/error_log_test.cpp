#include "import/error_log.h"

#include <gtest/gtest.h>

#include <set>

#include "base/cp1252.h"
#include "import/error_numbers.h"
#include "import/error_texts.h"
#include "import/import_env.h"
#include "import/import_tables.h"
#include "import/run_state.h"
#include "tables/catalogue.h"
#include "tables/net.h"

namespace {

using importtest::header;
using importtest::Record;

// Every error number the import reports.
const std::set<int> kReported = {50,  70,  71,  72,  80,  90,  101, 102, 103, 110, 111, 120,
                                 121, 130, 131, 132, 133, 134, 135, 136, 137, 138, 140, 141,
                                 142, 143, 150, 151, 152, 153, 160, 161, 201, 202, 203, 301,
                                 302, 401, 402, 403, 404, 501, 601, 602, 611, 612, 620};

TEST(ErrorTextsTest, ShippedFileHasOneShortTextPerNumber) {
  auto texts = dnorm::readErrorTexts(importtest::errorTextsFile());
  ASSERT_TRUE(texts);
  std::set<int> numbers;
  for (const dnorm::ErrorText& t : *texts) {
    EXPECT_TRUE(numbers.insert(t.number).second) << "twice: " << t.number;
    EXPECT_FALSE(t.text.empty()) << t.number;
    EXPECT_FALSE(t.comment.empty()) << t.number;
    EXPECT_EQ(t.text.find('?'), std::string::npos) << t.number;  // every character arrived in 1252
  }
  EXPECT_EQ(numbers, kReported);
}

TEST(ErrorTextsTest, MalformedFilesAreRefused) {
  testsupport::TempDir dir;
  const std::string heading = "FehlerNr;Ohne;Fehler;Kommentar\n";
  const std::string cases[] = {heading + "50;N;Text\n", heading + "x;N;Text;Kommentar\n",
                               heading + "50;ja;Text;Kommentar\n",
                               heading + "50;N;" + std::string(81, 'x') + ";K\n"};
  for (const std::string& bytes : cases) {
    testsupport::writeFile(dir / "f.csv", bytes);
    EXPECT_FALSE(dnorm::readErrorTexts(dir / "f.csv")) << bytes;
  }
  testsupport::writeFile(dir / "f.csv", heading + "50;J;Text;mit; Semikolon\r\n\r\n");
  auto texts = dnorm::readErrorTexts(dir / "f.csv");
  ASSERT_TRUE(texts);
  ASSERT_EQ(texts->size(), 1u);
  EXPECT_TRUE((*texts)[0].ignore);
  EXPECT_EQ((*texts)[0].comment, "mit; Semikolon");
  EXPECT_FALSE(dnorm::readErrorTexts(dir / "fehlt.csv"));
}

class ErrorLogTest : public importtest::ImportTest {};

TEST_F(ErrorLogTest, TextsAreWrittenOnlyIntoAnEmptyTable) {
  std::vector<Record> rows = ownRows("DNORMERT");
  EXPECT_EQ(rows.size(), kReported.size());
  EXPECT_EQ(rows[0].at("FEHLERNR"), "50");
  EXPECT_EQ(rows[0].at("OHNE"), "F");
  EXPECT_FALSE(dnorm::fillErrorTexts(importtest::errorTextsFile()));
  EXPECT_EQ(ownRows("DNORMERT").size(), kReported.size());
}

TEST_F(ErrorLogTest, IgnoredNumbersAreCountedButNotLogged) {
  {
    ASSERT_TRUE(tables::NETOPEN("DNORMERT", false));
    xbase::Table& t = *tables::current();
    bool found = false;
    ASSERT_TRUE(t.seek(xbase::Value{xbase::Value::Type::Numeric, {}, 130}, &found).isOk());
    ASSERT_TRUE(found);
    t.putLogical(t.fieldIndex("OHNE"), true);
    tables::closeAll();
  }
  ASSERT_TRUE(runImport(0, {header(), "A;A;4711;;;;;;;;;;", "A;X;4711;;1;;;;;;;;"}));
  EXPECT_EQ(progress().texts[206], "2");
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"140"}));
  EXPECT_EQ(ownRows("DNORMERR")[0].at("SATZ"), "3");
}

TEST_F(ErrorLogTest, WithoutErrorTextsNothingIsReported) {
  tables::closeAll();
  std::filesystem::remove(m_home / "DNORMERT.dbf");
  std::filesystem::remove(m_home / "DNORMERT.cdx");
  {
    ui::ScriptedPort quiet;
    ui::PortScope scope(quiet);
    std::vector<std::string> created;
    tables::DB_DATEI(&created);
  }
  ASSERT_TRUE(dnorm::DBFOPEN());
  tables::closeAll();
  ASSERT_TRUE(runImport(0, {header(), "A;A;1;;;;;;;;;;", "V", "A;N;;;;;;;;;;;"}));
  EXPECT_EQ(progress().texts[206], "0");
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(ErrorLogTest, DetailsAsTextAndAsNumber) {
  EXPECT_EQ(dnorm::numberDetail(12345.6789, 3), "12345.679");
  EXPECT_EQ(dnorm::numberDetail(999999.99, 2), "999999.99");
  EXPECT_EQ(dnorm::numberDetail(-2.675, 2), "-2.68");
  ASSERT_TRUE(dnorm::DBFOPEN());
  dnorm::runState().currentArticle = "ART1           ";
  dnorm::runState().fileName = (m_dir.path() / "einlesen" / "Sehr_langer_Dateiname.001").string();
  dnorm::runState().processed = 12;
  EXPECT_TRUE(dnorm::NORMFEHLER(dnorm::err::kDiscountKind, "A1  "));
  EXPECT_TRUE(dnorm::NORMFEHLER(dnorm::err::kMarkupRange, dnorm::numberDetail(12345.679, 3)));
  EXPECT_FALSE(dnorm::NORMFEHLER(999));
  EXPECT_EQ(dnorm::runState().lastError,
            base::ansi("Kalkulationsfaktor außerhalb des Bereichs, begrenzt(12345.679)"));
  std::vector<Record> log = ownRows("DNORMERR");
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].at("FEHLER"), base::ansi("Rabattgruppe mit ungültiger Rabattart(A1  )"));
  EXPECT_EQ(log[0].at("ARTIKEL"), "");
  EXPECT_EQ(log[0].at("DATEI"), "Sehr_langer_D");
  EXPECT_EQ(log[0].at("SATZ"), "12");
  EXPECT_EQ(log[1].at("ARTIKEL"), "ART1");
}

}  // namespace
