#pragma once

#include <string>
#include <string_view>

#include "import/article_row.h"

namespace dnorm {

// The building blocks of an article's prices. They work on the ARTIKEL row the caller
// has positioned and locked; every value is stored with its field's decimals and later
// steps read the stored values back, as the merchandise system itself computes.

// Multiplier of a discount group (key padded or cut to 4) from DNORMRAB. Not stored: 1,
// and error 80 unless the caller asks through `found`.
double GETRABGRUP(const std::string& key, bool* found = nullptr);

// Applies one discount pair to the price: kind "0" (only with `groupsAllowed`) the
// multiplier of the group named by the value, "1" a discount in hundredths of a percent,
// "2" a multiplier in thousandths, "3" a surcharge in hundredths of a percent. Another
// kind reports error 501 and leaves the price; false then.
bool NEUERPREIS(double& price, std::string_view kind, std::string_view value,
                bool groupsAllowed = false);

// Base calculation from the net price (or the gross price): the other of the two, and the
// markup over the purchase price, clamped to -999..9999 (error 601); a gross price above
// 999999.99 is clamped (error 602).
void LAKALK(ArticleRow& row, bool netGiven = true);
// Price levels 2-5 after a change of the base prices. Mode 1 keeps the levels' discounts,
// 2 their markups, 3 their gross prices, 4 their net prices; another mode changes nothing.
// Without a purchase price every level is 0.
void LAKALK2_5(ArticleRow& row, int mode = 1);
// One price level (2-5) from a net price.
void KALKHD(ArticleRow& row, int level, double net);
// Stock value WERT in the main currency, clamped to -99999999.99..999999999.99 (errors
// 611, 612); 0 for an article without stock keeping.
void LAWARENWERT(ArticleRow& row);
// Value of a quantity at a price per `unit` units (a unit of 0 or less counts as 1).
double E_RECHNEPREIS(double unit, double price, double quantity);

}  // namespace dnorm
