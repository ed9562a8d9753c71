#include "import/price_maintenance.h"

#include "base/cp1252.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/import_tables.h"
#include "import/price_calc.h"
#include "import/price_rules.h"
#include "import/record_fields.h"
#include "import/run_loop.h"
#include "import/run_progress.h"
#include "import/settings_access.h"
#include "import/table_access.h"
#include "tables/net.h"

namespace dnorm {

namespace {

// A "P" record holds three blocks of nine fields, block k from field 3 + 9k: article
// number, price flag, price, then three discount pairs (kind, value).
constexpr int kBlocks = 3;
constexpr int kFirstBlockField = 3;
constexpr int kBlockFields = 9;
constexpr int kDiscountPairs = 3;

// The purchase price of a block: the list price reduced by its discount pairs in order,
// the first of which may name a discount group. A pair counts only with kind and value,
// and the pairs end at the first incomplete one. False when a pair has an invalid kind.
bool applyDiscounts(const std::string& line, int first, double& price) {
  for (int pair = 0; pair < kDiscountPairs; ++pair) {
    std::string kind(trimBlanks(XTEXT(first + 3 + 2 * pair, line)));
    std::string value(trimBlanks(XTEXT(first + 4 + 2 * pair, line)));
    if (kind.empty() || value.empty()) return true;
    if (!NEUERPREIS(price, kind, value, pair == 0)) return false;
  }
  return true;
}

void handleBlock(const std::string& line, int first) {
  std::string number = XTEXT(first, line);
  if (isBlank(number)) return;
  RunState& run = runState();
  run.currentArticle = padCut(number, kArticleKeyWidth);
  showText(ctl::kItem, run.currentArticle);
  ArticleRow& row = articleRow();
  if (!seekKey(row.table(), run.currentArticle)) {
    NORMFEHLER(err::kPriceNotFound);
    return;
  }
  std::string flag(trimBlanks(XTEXT(first + 1, line)));
  double flagValue = numberOf(flag);
  if (flagValue != 1 && flagValue != 2) {
    NORMFEHLER(err::kPriceFlag, flag);
    return;
  }
  std::string price(trimBlanks(XTEXT(first + 2, line)));
  if (price.empty()) {
    NORMFEHLER(err::kPriceEmpty);
    return;
  }
  double listPrice = listPriceInArticleCurrency(row, price);
  double purchase = listPrice;
  if (!applyDiscounts(line, first, purchase)) return;

  tables::OnAlias on("ARTIKEL");
  if (!tables::NETRLOCK()) {
    NORMFEHLER(err::kPriceLock);
    return;
  }
  row.setText(Art::kDatanorm, "P");
  if (int level = onlyPriceLevel()) {
    KALKHD(row, level, purchase);
  } else {
    storeByPriceSettings(row, static_cast<int>(flagValue), listPrice, purchase);
    recalculatePrices(row, settingOn(setting::kGrossAsGross) || settingOn(setting::kNetAsGross));
  }
  tables::NETUNLOCK();
}

bool handlePriceRecord(const std::string& line) {
  if (line.empty() || line[0] != 'P') return true;
  countRecord(0);
  AENDERPREIS();
  return true;
}

}  // namespace

bool AENDERPREIS() {
  const std::string& line = GETPUFFER();
  for (int k = 0; k < kBlocks; ++k) handleBlock(line, kFirstBlockField + kBlockFields * k);
  return true;
}

bool STARTPREISLESEN() {
  forEachLine(handlePriceRecord, base::ansi("Import der Preisänderungen ist beendet"));
  return true;
}

}  // namespace dnorm
