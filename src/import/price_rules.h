#pragma once

#include <string>

#include "import/article_row.h"

namespace dnorm {

// How a Datanorm price enters an article's prices. A price field holds hundredths; the
// price flag says whether it is a list price from which the buyer's discounts are still to
// be deducted (1) or a net price (2).

// New article ("A" record, code "N"), on the appended row: the price unit, then list price
// = price times the run's import factor, purchase price = list price times the discount
// group's multiplier; both stored, then the base calculation and the levels (mode 1).
void newArticlePrices(ArticleRow& row, const std::string& line);

// Changed article ("A" record, code "A"), on the located and locked row: the list price in
// the article's currency is stored by the price settings (only into one price level with
// setting 19 at 2-5), then everything that depends on it is recalculated.
void changedArticlePrices(ArticleRow& row, const std::string& line);

// Stores list and purchase price of price flag 1 or 2 as the price settings say, for a
// changed article and a price block. True when the gross price BRUTTO was stored.
bool storeByPriceSettings(ArticleRow& row, int flag, double listPrice, double purchasePrice);
// Today as date of the last price change, the base calculation from the gross price or
// the net price, the levels in the mode of setting 16 and the stock value.
void recalculatePrices(ArticleRow& row, bool grossGiven);
// The price level that setting 19 sends every price to (2-5), or 0 for normal storing.
int onlyPriceLevel();

// The price of a field of hundredths, converted from the file's currency into the
// article's currency WG_IATA, unrounded.
double listPriceInArticleCurrency(const ArticleRow& row, const std::string& field);

}  // namespace dnorm
