#pragma once

#include <array>
#include <memory>
#include <string>

#include "import/header_record.h"
#include "import/line_reader.h"
#include "ui/port.h"

namespace dnorm {

// Kinds of import run, by the file they read.
enum class RunKind { kArticles = 0, kProductGroups = 1, kPrices = 2, kDiscountGroups = 3 };

// The one set of values an import run works on. Every run resets the values marked "per
// run"; the others (current line, current article number, last error) keep what the
// previous run left for as long as the program runs.
struct RunState {
  RunKind kind = RunKind::kArticles;
  std::string fileName;  // per run: full path of the chosen file (file-system bytes)
  LineReader reader;     // per run
  HeaderInfo header;     // per run
  long elapsed = 0;      // per run: seconds, counted by the one-second ticks
  long processed = 0;    // per run: lines processed, the header being line 1
  long errors = 0;       // per run: errors reported
  long total = 0;        // per run: line count + 1
  // Per run: records met per type. Articles: A, B, D, T, E and one no type increments;
  // the other kinds count their one record type in the first.
  std::array<long, 6> records{};
  std::string currentLine;           // the line being processed, already in Windows-1252
  std::string currentArticle = " ";  // 15 characters once a record was read
  std::string lastError = " ";
  double importFactor = 1;                 // file currency -> article currency, for new articles
  std::string articleCurrency;             // currency of new articles
  bool aborted = false;                    // per run
  bool running = false;                    // per run
  std::unique_ptr<ui::ProgressView> view;  // per run, the dialog DATEN_EINLESEN
};

RunState& runState();

// The current line; the text-block store reads the fields of T and E records through it.
const std::string& GETPUFFER();

}  // namespace dnorm
