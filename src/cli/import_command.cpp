#include "cli/import_command.h"

#include <chrono>
#include <cstdio>
#include <iostream>

#include "base/cp1252.h"
#include "cli/json_object.h"
#include "cli/session.h"
#include "import/import_run.h"
#include "import/run_state.h"

namespace cli {

namespace {

constexpr int kKinds = 4;

struct KindText {
  const char* name;                  // as the summary names the file
  std::vector<const char*> counted;  // record types, in the order of the run's counters
};

const KindText kKindTexts[kKinds] = {
    {"Artikelstamm", {"A", "B", "D", "T", "E"}},
    {"Hauptwarengruppen", {"S"}},
    {"Preispflege", {"P"}},
    {"Rabattgruppen", {"R"}},
};

struct ImportArgs {
  int kind = 0;
  std::string file;
  std::string problem;
};

ImportArgs parseArgs(const std::vector<std::string>& args) {
  ImportArgs parsed;
  bool haveFile = false;
  for (size_t i = 0; i < args.size() && parsed.problem.empty(); ++i) {
    const std::string& a = args[i];
    if (a == "--kind") {
      std::string value = i + 1 < args.size() ? args[++i] : "";
      if (value.size() != 1 || value[0] < '0' || value[0] >= '0' + kKinds) {
        parsed.problem = "Ungültige Importart: " + value + " (0, 1, 2 oder 3)";
      }
      parsed.kind = value.empty() ? 0 : value[0] - '0';
    } else if (a.starts_with("--") || haveFile) {
      parsed.problem = "Unbekanntes Argument: " + a;
    } else {
      parsed.file = a;
      haveFile = true;
    }
  }
  if (parsed.problem.empty() && !haveFile) parsed.problem = "Datei fehlt";
  return parsed;
}

std::string trimmed(const std::string& ansi) {
  size_t first = ansi.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return base::utf8FromAnsi(ansi.substr(first, ansi.find_last_not_of(' ') - first + 1));
}

struct Outcome {
  bool ran = false;  // the run's dialog was shown
  double seconds = 0;
  std::optional<std::string> message;  // UTF-8
};

void printJson(int kind, const std::string& file, const Outcome& outcome) {
  const dnorm::RunState& run = dnorm::runState();
  JsonObject counts;
  const KindText& text = kKindTexts[kind];
  for (size_t i = 0; i < text.counted.size(); ++i) counts.number(text.counted[i], run.records[i]);
  std::cout << JsonObject()
                   .number("kind", static_cast<long>(kind))
                   .text("file", file)
                   .flag("completed", outcome.ran && !run.aborted)
                   .flag("aborted", outcome.ran && run.aborted)
                   .textOrNull("message", outcome.message)
                   .number("lines_processed", run.processed)
                   .number("lines_total", run.total)
                   .number("errors", run.errors)
                   .object("counts", counts)
                   .text("last_error", trimmed(run.lastError))
                   .number("seconds", outcome.seconds, 2)
                   .str()
            << std::endl;
}

// "DATANORM.001: Artikelstamm eingelesen, 1512 von 1512 Zeilen, 0 Fehler, 1.25 s" and the
// record counts.
void printSummary(int kind, const std::string& file, const Outcome& outcome) {
  const dnorm::RunState& run = dnorm::runState();
  const KindText& text = kKindTexts[kind];
  std::printf("%s: %s %s, %ld von %ld Zeilen, %ld Fehler, %.2f s\n",
              std::filesystem::path(file).filename().c_str(), text.name,
              run.aborted ? "abgebrochen" : "eingelesen", run.processed, run.total, run.errors,
              outcome.seconds);
  std::string counts;
  for (size_t i = 0; i < text.counted.size(); ++i) {
    counts += std::string(i ? "  " : "") + text.counted[i] + " " + std::to_string(run.records[i]);
  }
  std::printf("  %s\n", counts.c_str());
}

}  // namespace

int runImportCommand(const CommandLine& line) {
  ImportArgs args = parseArgs(line.args);
  if (!args.problem.empty()) return usageError(args.problem);
  if (!homeExists(line.options)) return kFailed;
  std::filesystem::path file = absolutePath(args.file);

  Session session(line.options, Session::OwnTables::Check);
  session.port().presetFile(file);
  session.port().forgetLastMessage();  // what start-up reported is no part of the run
  auto started = std::chrono::steady_clock::now();
  Outcome outcome;
  outcome.ran = dnorm::NORMIMPORT(args.kind);
  outcome.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  outcome.message = session.port().lastMessage();

  if (line.options.json) {
    printJson(args.kind, file.string(), outcome);
  } else if (outcome.ran) {
    printSummary(args.kind, file.string(), outcome);
  }
  return outcome.ran && !dnorm::runState().aborted ? kOk : kFailed;
}

}  // namespace cli
