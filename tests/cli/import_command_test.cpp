#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/paths.h"
#include "cli/cli_env.h"
#include "import/import_run.h"
#include "settings/cache.h"
#include "tables/net.h"
#include "tables/table_startup.h"
#include "ui/scripted_port.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

CommandResult import(const fs::path& home, std::vector<std::string> args) {
  args.insert(args.begin(), {"--home", home.string(), "--json", "import"});
  return cli(args);
}

// The four imports of a demo installation through the scripted ui, in this process, set up
// as the command-line program sets itself up.
void importThroughScriptedUi(const fs::path& home) {
  ui::ScriptedPort port;
  ui::PortScope scope(port);
  app::setupPaths(home, "");
  tables::configureEngine();
  tables::SETCOMMIT(false);
  settings::GETVORFELD(0, true);
  for (int kind : kImportOrder) {
    port.answerFile(demoFile(home, kind));
    if (kind == 0) port.answer(ui::Answer::Yes, "Kundennummer");
    EXPECT_TRUE(dnorm::NORMIMPORT(kind)) << kind;
  }
  tables::closeAll();
  EXPECT_EQ(port.unusedAnswers(), 0u);
  auto closing =
      std::count_if(port.messages().begin(), port.messages().end(),
                    [](const ui::Message& m) { return m.kind == ui::Message::Kind::Information; });
  EXPECT_EQ(closing, 4);
}

// Every table and index file below `folder`, relative to it.
std::vector<fs::path> tableFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dbf" || ext == ".cdx") files.push_back(fs::relative(entry.path(), folder));
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ImportCommand, ImportsTheDemoAsTheScriptedUiDoesByteForByte) {
  testsupport::TempDir dir;
  fs::path viaCli = makeDemo(dir / "cli", 60);
  fs::path viaUi = makeDemo(dir / "ui", 60);

  struct Run {
    std::string json;
    std::string err;
  };
  const Run expected[] = {
      {R"({"kind":1,"file":"FILE","completed":true,"aborted":false,)"
       R"("message":"Import der Hauptwarengruppen ist beendet","lines_processed":50,)"
       R"("lines_total":50,"errors":0,"counts":{"S":48},"last_error":"","seconds":0})",
       "[Datanorm-Daten einlesen] Import der Hauptwarengruppen ist beendet\n"},
      {R"({"kind":3,"file":"FILE","completed":true,"aborted":false,)"
       R"("message":"Import der Rabattgruppen ist beendet","lines_processed":22,)"
       R"("lines_total":22,"errors":0,"counts":{"R":20},"last_error":"","seconds":0})",
       "[Datanorm-Daten einlesen] Import der Rabattgruppen ist beendet\n"},
      {R"({"kind":0,"file":"FILE","completed":true,"aborted":false,)"
       R"("message":"Import ist beendet","lines_processed":186,"lines_total":186,"errors":0,)"
       R"("counts":{"A":60,"B":60,"D":20,"T":40,"E":3},"last_error":"","seconds":0})",
       "[Kundennummern Kontrollsatz] Ihre Kundennummer: 47110\n\nEinlesen fortsetzen?\n> Ja\n"
       "[Datanorm-Daten einlesen] Import ist beendet\n"},
      {R"({"kind":2,"file":"FILE","completed":true,"aborted":false,)"
       R"("message":"Import der Preisänderungen ist beendet","lines_processed":22,)"
       R"("lines_total":22,"errors":0,"counts":{"P":20},"last_error":"","seconds":0})",
       "[Datanorm-Daten einlesen] Import der Preisänderungen ist beendet\n"},
  };
  for (size_t i = 0; i < std::size(kImportOrder); ++i) {
    int kind = kImportOrder[i];
    fs::path file = demoFile(viaCli, kind);
    // Without a terminal every question takes its default button.
    CommandResult r = import(viaCli, {"--kind", std::to_string(kind), file.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string json = expected[i].json;
    json.replace(json.find("FILE"), 4, file.string());
    EXPECT_EQ(withoutTime(r.out), json + "\n");
    EXPECT_EQ(r.err, expected[i].err);
  }

  importThroughScriptedUi(viaUi);

  std::vector<fs::path> files = tableFiles(viaCli);
  ASSERT_EQ(files, tableFiles(viaUi));
  ASSERT_EQ(files.size(), 7u * 2 + 4 + 11);  // own tables, merchandise tables, their indexes
  for (const fs::path& file : files) {
    EXPECT_TRUE(testsupport::readFile(viaCli / file) == testsupport::readFile(viaUi / file))
        << file;
  }
}

TEST(ImportCommand, RefusalsEndTheRunWithTheirMessageAndStatusOne) {
  testsupport::TempDir dir;
  fs::path home = makeDemo(dir / "demo", 3);
  testsupport::writeFile(home / "daten" / "KOPF.001", "V 020125Nur ein Kopfsatz");
  struct Case {
    std::vector<std::string> settings;  // KEY VALUE pairs set before the run
    std::vector<std::string> args;
    std::string message;  // as on stderr after the title
  };
  const std::string missingFolder = (dir / "fehlt").string() + "/";
  const Case cases[] = {
      {{},
       {(home / "daten" / "FEHLT.001").string()},
       "[Datanorm-Daten einlesen] Vorlaufsatz fehlt\nBeende Datanorm Import"},
      {{},
       {(home / "daten" / "KOPF.001").string()},
       "[Datanorm-Daten einlesen] Kein weiterer Datensatz vorhanden"},
      {{"BruttoEK", "N", "Brutto", "N", "NettoEK", "N", "Netto", "N"},
       {"--kind", "2", demoFile(home, 2).string()},
       "[Preispflege] Für das Einlesen der Preise muss eine Option angegeben sein, wie diese "
       "Preise gespeichert werden sollen"},
      {{"Pfad", missingFolder},
       {demoFile(home, 0).string()},
       "[QMT Warenwirtschaft-Dateien] Datei: " + missingFolder + "ARTIKEL.dbf\nnicht vorhanden"},
  };
  for (const Case& c : cases) {
    for (size_t i = 0; i < c.settings.size(); i += 2) {
      ASSERT_EQ(
          cli({"--home", home.string(), "settings", c.settings[i], c.settings[i + 1]}).exitCode, 0);
    }
    CommandResult r = import(home, c.args);
    EXPECT_EQ(r.exitCode, 1) << c.message;
    EXPECT_EQ(r.err, c.message + "\n");
    std::string message = c.message.substr(c.message.find("] ") + 2);
    size_t lineBreak = message.find('\n');
    if (lineBreak != std::string::npos) message.replace(lineBreak, 1, "\\n");
    EXPECT_TRUE(
        contains(r.out, R"("completed":false,"aborted":false,"message":")" + message + "\""))
        << r.out;
  }
}

TEST(ImportCommand, AnswersComeFromYesAndNo) {
  testsupport::TempDir dir;
  fs::path home = makeDemo(dir / "demo", 30);
  ASSERT_EQ(import(home, {"--kind", "3", demoFile(home, 3).string()}).exitCode, 0);

  // Importing the discount groups again: No keeps the stored groups, and each record of the
  // file reports that its group is stored; the run still did its job.
  const std::string question =
      "[Vorhandene Daten löschen] Datenbank: Dnormrab\nAlle Daten löschen?\n";
  CommandResult kept = import(home, {"--no", "--kind", "3", demoFile(home, 3).string()});
  EXPECT_EQ(kept.exitCode, 0);
  EXPECT_TRUE(contains(kept.err, question + "> Nein\n")) << kept.err;
  EXPECT_TRUE(contains(kept.out, R"("errors":20,)")) << kept.out;
  CommandResult emptied = import(home, {"--yes", "--kind", "3", demoFile(home, 3).string()});
  EXPECT_TRUE(contains(emptied.err, question + "> Ja\n")) << emptied.err;
  EXPECT_TRUE(contains(emptied.out, R"("errors":0,)")) << emptied.out;

  // No to the customer number ends the run there, as at the end of the file.
  CommandResult stopped = import(home, {"--no", demoFile(home, 0).string()});
  EXPECT_EQ(stopped.exitCode, 0);
  EXPECT_TRUE(contains(stopped.err, "Einlesen fortsetzen?\n> Nein\n")) << stopped.err;
  EXPECT_TRUE(contains(stopped.out,
                       R"("completed":true,"aborted":false,"message":"Import ist beendet",)"
                       R"("lines_processed":2,"lines_total":96,)"))
      << stopped.out;
}

// Starts artikimp-cli with stdout and stderr going to files; returns its process id.
pid_t startCli(const std::vector<std::string>& args, const fs::path& out, const fs::path& err) {
  pid_t pid = ::fork();
  if (pid == 0) {
    int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    std::vector<char*> argv;
    std::string program = testsupport::cliPath().string();
    argv.push_back(program.data());
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

TEST(ImportCommand, CtrlCAsksToAbortAndEndsTheRunWithStatusOne) {
  testsupport::TempDir dir;
  fs::path home = makeDemo(dir / "demo", 20000);
  fs::path articles = home / "lgw" / "ARTIKEL.dbf";
  uintmax_t empty = fs::file_size(articles);
  pid_t pid =
      startCli({"--home", home.string(), "--yes", "--json", "import", demoFile(home, 0).string()},
               dir / "out", dir / "err");
  // Interrupt once the record loop has written a few hundred articles.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (fs::file_size(articles) < empty + 100'000 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_TRUE(contains(testsupport::readFile(dir / "err"),
                       "[Datanorm-Daten einlesen] Import abbrechen?\n> Ja\n"));
  std::string json = testsupport::readFile(dir / "out");
  EXPECT_TRUE(contains(json, R"("completed":false,"aborted":true,"message":null,)")) << json;
  EXPECT_FALSE(contains(json, R"("lines_processed":60007,)")) << json;
}

}  // namespace
