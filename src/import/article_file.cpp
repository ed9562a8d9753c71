#include "import/article_file.h"

#include "import/article_records.h"
#include "import/article_text_records.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/record_fields.h"
#include "import/run_loop.h"
#include "import/run_progress.h"
#include "import/settings_access.h"
#include "import/text_blocks.h"
#include "ui/port.h"

namespace dnorm {

namespace {

// Record counters of the article file, shown at 302, 304, ...
enum Counter { kCountA = 0, kCountB = 1, kCountD = 2, kCountT = 3, kCountE = 4 };

// Setting 17 (Loeschen): deletion records are never processed.
constexpr int kNeverDelete = 1;

void handleArticleRecord(const std::string& line) {
  countRecord(kCountA);
  const std::string& article = runState().currentArticle;
  if (isBlank(article)) {
    NORMFEHLER(err::kNoArticleNumber);
    return;
  }
  std::string code = XTEXT(2, line);
  if (code == "N") {
    ARTNEU(article);
  } else if (code == "L") {
    if (settingChoice(setting::kDeletion) != kNeverDelete) ARTLOESCHE(article);
  } else if (code == "A") {
    ARTAENDERUNG(article);
  } else if (code == "X") {
    ARTNRAENDERUNG(article);
  }
}

// The customer-number control record: false when the user stops the import.
bool askCustomerNumber(const std::string& line) {
  return ui::port().question("Kundennummern Kontrollsatz", "Ihre Kundennummer: " + XTEXT(3, line) +
                                                               "\r\n\r\nEinlesen fortsetzen?");
}

bool handleLine(const std::string& line) {
  RunState& run = runState();
  run.currentArticle = padCut(XTEXT(3, line), kArticleKeyWidth);
  showText(ctl::kItem, run.currentArticle);
  bool longTexts = settingOn(setting::kLongTexts);
  switch (line.empty() ? '\0' : line[0]) {
    case 'A':
      handleArticleRecord(line);
      break;
    case 'B':
      countRecord(kCountB);
      ARTBSATZ(run.currentArticle);
      break;
    case 'D':
      countRecord(kCountD);
      if (longTexts) ARTDSATZ(run.currentArticle);
      break;
    case 'E':
      countRecord(kCountE);
      if (longTexts) LANGTEXTE(run.currentArticle);
      break;
    case 'T':
      countRecord(kCountT);
      if (longTexts) LANGTEXTT(run.currentArticle);
      break;
    case 'K':
      return askCustomerNumber(line);
    case 'V':
      NORMFEHLER(err::kSecondHeader);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace

bool STARTNORMIMPORT() {
  forEachLine(handleLine, "Import ist beendet");
  return true;
}

}  // namespace dnorm
