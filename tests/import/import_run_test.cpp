#include "import/import_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/cp1252.h"
#include "import/import_env.h"
#include "import/run_state.h"
#include "tables/net.h"

namespace {

using importtest::datanorm;
using importtest::header;
using ui::Answer;
using ui::Message;

const std::string kTitle = "Datanorm-Daten einlesen";

class ImportRunTest : public importtest::ImportTest {};

TEST_F(ImportRunTest, ArticleFileRunsToItsEndInTheProgressDialog) {
  ASSERT_TRUE(
      runImport(0, {header("EUR", "031198"), "A;N;4711;00;Rohr;;1;0;Stck;12345;;;",
                    "A;N;4712;00;Muffe;;1;0;Stck;100;;;", "A;N;4713;00;Bogen;;1;0;Stck;200;;;"}));
  ui::ProgressRecord& view = progress();
  EXPECT_EQ(view.dialog, "DATEN_EINLESEN");
  EXPECT_EQ(view.texts[122], "03.11.1998");
  EXPECT_EQ(view.texts[124], "04");
  EXPECT_EQ(view.texts[126], "EUR");
  EXPECT_EQ(view.texts[127].substr(0, 42), "Sanitaer Grosshandel GmbH               \r\n");
  EXPECT_EQ(view.texts[208], "5");
  EXPECT_EQ(view.texts[204], "5");
  EXPECT_EQ(view.texts[302], "3");
  EXPECT_EQ(view.texts[206], "0");
  EXPECT_EQ(view.meterTotal[211], 5);
  EXPECT_EQ(view.meterPosition[211], 5);
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(messages(),
            (std::vector<Message>{{Message::Kind::Information, kTitle, "Import ist beendet", {}}}));
  EXPECT_FALSE(dnorm::runState().running);
  // Each line lets the user interface run once.
  EXPECT_GE(m_port.pumpCount(), 4);
}

TEST_F(ImportRunTest, TicksCountSecondsAndMoveTheMeter) {
  m_port.setOnPump([this] {
    if (!m_port.progressViews().empty()) m_port.progressViews().back()->tick();
  });
  ASSERT_TRUE(runImport(0, {header(), "A;N;4711;00;Rohr;;1;0;Stck;12345;;;"}));
  ui::ProgressRecord& view = progress();
  // Two lines after the header are served (the article line and the empty record), and
  // the closing pump runs after the ticks were stopped.
  EXPECT_EQ(view.texts[202], "00:00:02");
  EXPECT_EQ(dnorm::runState().elapsed, 2);
}

// What the file's own layout makes of the run: the total is the line count + 1 and every
// delivered record is processed.
TEST_F(ImportRunTest, TotalAndProcessedFollowTheLineEnds) {
  struct Case {
    std::string bytes;
    std::string total;
    std::string processed;
  };
  const Case cases[] = {
      {datanorm({header()}), "2", "2"},  // header, empty record
      {datanorm({header(), "A;N;4711;00;Rohr;;1;0;Stck;1;;;"}), "3",
       "3"},  // terminated article line
      {datanorm({header(), "A;N;4711;00;Rohr;;1;0;Stck;1;;;"}, false), "2",
       "2"},  // without final CR LF
  };
  for (const Case& c : cases) {
    std::filesystem::path file = m_dir.path() / "case.001";
    testsupport::writeFile(file, c.bytes);
    ASSERT_TRUE(runFile(0, file));
    EXPECT_EQ(progress().texts[208], c.total);
    EXPECT_EQ(progress().texts[204], c.processed);
    EXPECT_EQ(messages().back().text, "Import ist beendet");
  }
}

TEST_F(ImportRunTest, RefusalsBeforeTheDialog) {
  struct Case {
    const char* what;
    std::string bytes;
    Message::Kind kind;
    std::string text;
  };
  const Case cases[] = {
      {"unterminated header only", header(), Message::Kind::Alert,
       "Kein weiterer Datensatz vorhanden"},
      {"empty file", "", Message::Kind::Alert, "Vorlaufsatz fehlt\r\nBeende Datanorm Import"},
      {"article line first", datanorm({"A;N;4711;00;Rohr;;1;0;Stck;1;;;"}), Message::Kind::Alert,
       "Vorlaufsatz fehlt\r\nBeende Datanorm Import"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::path file = m_dir.path() / "case.001";
    testsupport::writeFile(file, c.bytes);
    size_t before = m_port.messages().size();
    EXPECT_FALSE(runFile(0, file));
    ASSERT_EQ(m_port.messages().size(), before + 1);
    EXPECT_EQ(m_port.messages().back(), (Message{c.kind, kTitle, c.text, {}}));
    EXPECT_TRUE(m_port.progressViews().empty());
  }
  // The merchandise tables are closed again each time.
  EXPECT_FALSE(tables::isOpen("ARTIKEL"));
}

TEST_F(ImportRunTest, CancelledFileChoiceClosesTheMerchandiseTables) {
  m_port.answerFile(std::nullopt);
  EXPECT_FALSE(dnorm::NORMIMPORT(0));
  ASSERT_EQ(m_port.choices().size(), 1u);
  EXPECT_EQ(m_port.choices()[0].title, base::ansi("Datanorm Datei auswählen"));
  EXPECT_EQ(m_port.choices()[0].filters[0].pattern, "Datanorm.*");
  EXPECT_EQ(m_port.choices()[0].startFolder, m_home);
  EXPECT_FALSE(tables::isOpen("ARTIKEL"));
  EXPECT_FALSE(tables::isOpen("LANGTEXT"));
  // The own tables stay open.
  EXPECT_TRUE(tables::isOpen("DNORMERT"));
}

TEST_F(ImportRunTest, MissingMerchandiseFileStopsBeforeAnythingOpens) {
  std::filesystem::remove(m_lgw / "LANGNUM.cdx");
  EXPECT_FALSE(dnorm::NORMIMPORT(0));
  EXPECT_EQ(messages(),
            (std::vector<Message>{{Message::Kind::Information,
                                   "QMT Warenwirtschaft-Dateien",
                                   "Datei: " + m_lgw.string() + "/LANGNUM.cdx\r\nnicht vorhanden",
                                   {}}}));
  EXPECT_FALSE(tables::isOpen("DNORMERT"));
}

TEST_F(ImportRunTest, PriceMaintenanceNeedsAPriceOption) {
  for (const char* key :
       {"BruttoEK", "Brutto", "NettoEK", "Netto", "Brutto2Brutto", "Netto2Brutto"}) {
    setSetting(key, "N");
  }
  EXPECT_FALSE(dnorm::NORMIMPORT(2));
  EXPECT_EQ(messages(),
            (std::vector<Message>{
                {Message::Kind::Information,
                 "Preispflege",
                 base::ansi("Für das Einlesen der Preise muss eine Option angegeben sein, "
                            "wie diese Preise gespeichert werden sollen"),
                 {}}}));
  EXPECT_TRUE(m_port.choices().empty());
}

TEST_F(ImportRunTest, FileHeldExclusivelyByAnotherProgramCannotBeOpened) {
  std::filesystem::path file = m_dir.path() / "DATANORM.001";
  testsupport::writeFile(file, datanorm({header(), "A;N;1;00;x;;1;0;St;1;;;"}));
  int fd = ::open(file.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_FALSE(runFile(0, file));
  ::close(fd);
  EXPECT_EQ(messages().back(),
            (Message{Message::Kind::Information,
                     kTitle,
                     "Datei: " + file.string() + base::ansi(" konnte nicht geöffnet werden"),
                     {}}));
  EXPECT_FALSE(tables::isOpen("ARTIKEL"));
}

TEST_F(ImportRunTest, CustomerNumberAnsweredNoEndsTheRunAsAtTheEnd) {
  m_port.answer(Answer::No, "Ihre Kundennummer: 018988 ");
  ASSERT_TRUE(runImport(0, {header(), "A;N;1;00;Eins;;1;0;St;100;;;", "K;;018988 ;",
                            "A;N;2;00;Zwei;;1;0;St;100;;;"}));
  const Message& question = m_port.messages()[0];
  EXPECT_EQ(question.title, "Kundennummern Kontrollsatz");
  EXPECT_EQ(question.text, "Ihre Kundennummer: 018988 \r\n\r\nEinlesen fortsetzen?");
  EXPECT_EQ(messages().back().text, "Import ist beendet");
  EXPECT_FALSE(article("1").empty());
  EXPECT_TRUE(article("2").empty());
  EXPECT_EQ(progress().texts[204], "3");
}

TEST_F(ImportRunTest, AbortAskedAndDeclinedGoesOnAcceptedStopsWithoutClosingMessage) {
  const std::vector<std::string> lines = {header(), "A;N;1;00;Eins;;1;0;St;100;;;",
                                          "A;N;2;00;Zwei;;1;0;St;100;;;",
                                          "A;N;3;00;Drei;;1;0;St;100;;;"};
  // Declined: the run goes on unchanged.
  m_port.abortNextProgressAtPoll(2);
  m_port.answer(Answer::No, "Import abbrechen?");
  ASSERT_TRUE(runImport(0, lines));
  EXPECT_EQ(progress().texts[302], "3");
  EXPECT_EQ(messages().back().text, "Import ist beendet");

  // Accepted before the third line: the first two records stay imported, no closing message.
  for (const char* n : {"1", "2", "3"}) EXPECT_FALSE(article(n).empty());
  std::vector<std::string> renumbered = {header(), "A;N;11;00;Eins;;1;0;St;100;;;",
                                         "A;N;12;00;Zwei;;1;0;St;100;;;",
                                         "A;N;13;00;Drei;;1;0;St;100;;;"};
  m_port.abortNextProgressAtPoll(3);
  m_port.answer(Answer::Yes, "Import abbrechen?");
  size_t before = messages().size();
  ASSERT_TRUE(runImport(0, renumbered));
  ASSERT_EQ(messages().size(), before + 1);
  EXPECT_EQ(messages().back(),
            (Message{Message::Kind::YesNo, kTitle, "Import abbrechen?", Answer::Yes}));
  EXPECT_FALSE(article("11").empty());
  EXPECT_FALSE(article("12").empty());
  EXPECT_TRUE(article("13").empty());
  EXPECT_TRUE(dnorm::runState().aborted);
  EXPECT_TRUE(progress().closed);
}

TEST_F(ImportRunTest, SecondRunShowsTheLastErrorAndArticleOfTheFirst) {
  ASSERT_TRUE(runImport(0, {header(), "A;A;4711;;;;;;;;;;"}));
  std::string lastError = dnorm::runState().lastError;
  EXPECT_EQ(lastError, base::ansi("Zu ändernder Artikel nicht gefunden"));
  ASSERT_TRUE(runImport(1, {header(), "S;;01;Rohre;;"}, "DATANORM.WRG"));
  // The dialog opens with what the first run left, before the group loop changes 404.
  ui::ProgressRecord& view = progress();
  EXPECT_EQ(view.texts[402], lastError);
  EXPECT_EQ(view.texts[301], "S");
  EXPECT_EQ(view.texts[403], "Warengruppe");
  EXPECT_FALSE(view.visible[303]);
  EXPECT_FALSE(view.visible[312]);
}

TEST_F(ImportRunTest, RecordTypesOfTheArticleFile) {
  setSetting("Langtext", "N");
  setSetting("Loeschen", "1");
  addArticle({{"NUMMER", "9"}, {"ARTIKEL", "Bleibt"}});
  ASSERT_TRUE(runImport(
      0, {header(), "A;N;;00;Ohne Nummer;;1;0;St;1;;;", "a;N;4711;00;klein;;1;0;St;1;;;",
          "T;N;100;;1;;Zeile;;;", "D;N;9;;F;;Text;;;;", "E;N;200;;1;;Wert $$;;;", "A;L;9;;;;;;;;;;",
          "S;;01;Gruppe;;", "V 010199 zweiter Kopf", "P;A;9;1;100;;;;;;;", "X;N;9;"}));
  ui::ProgressRecord& view = progress();
  EXPECT_EQ(view.texts[302], "2");  // A with blank number, A with code L
  EXPECT_EQ(view.texts[308], "1");  // T counted, not stored
  EXPECT_EQ(view.texts[306], "1");
  EXPECT_EQ(view.texts[310], "1");
  EXPECT_EQ(view.texts[304], "0");
  EXPECT_EQ(view.texts[312], "0");
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"90", "50"}));
  EXPECT_TRUE(ownRows("DNORMLTT").empty());
  EXPECT_TRUE(ownRows("DNORMLTE").empty());
  EXPECT_EQ(article("9").at("ARTIKEL"), "Bleibt");
  EXPECT_TRUE(article("4711").empty());
  EXPECT_FALSE(longText("9"));
}

TEST_F(ImportRunTest, PriceFileReadAsArticleFileChangesNothing) {
  addArticle({{"NUMMER", "RG6040640U1"}, {"NETTO", "1"}});
  std::filesystem::path file = testsupport::fixturesDir() / "datanorm/halo/v4_datpreis.001";
  m_port.answer(Answer::Yes, "Ihre Kundennummer: 018988");
  ASSERT_TRUE(runFile(0, file));
  EXPECT_EQ(progress().texts[302], "0");
  EXPECT_EQ(messages().back().text, "Import ist beendet");
  EXPECT_EQ(article("RG6040640U1").at("NETTO"), "1.00");
  EXPECT_EQ(m_port.messages()[0].title, "Kundennummern Kontrollsatz");
}

}  // namespace
