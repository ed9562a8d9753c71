#include "import/price_calc.h"

#include "base/rounding.h"
#include "import/currency.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/record_fields.h"
#include "import/table_access.h"

namespace dnorm {

namespace {

// Width of a discount-group key.
constexpr size_t kDiscountGroupWidth = 4;

// A markup from 10000 on is stored as 9999, one of -1000 or less as -999.
constexpr double kMarkupTooHigh = 10000;
constexpr double kMarkupTooLow = -1000;
constexpr double kMaxMarkup = 9999;
constexpr double kMinMarkup = -999;
constexpr double kMaxGross = 999999.99;
constexpr double kMaxStockValue = 999999999.99;
constexpr double kMinStockValue = -99999999.99;

double round2(double value) {
  return base::roundCommercial(value, 2);
}

// Stores the value and returns what the field now holds.
double store(ArticleRow& row, Art field, double value) {
  row.setNumber(field, value);
  return row.number(field);
}

double withVat(const ArticleRow& row, double net) {
  return round2(net * (1 + row.number(Art::kMwst) / 100));
}

// Discount of a level's net price below NETTO, in percent; 0 from twice NETTO on.
double levelDiscount(const ArticleRow& row, double net) {
  double base = row.number(Art::kNetto);
  if (base <= 0 || net / base >= 2) return 0;
  return round2((1 - net / base) * 100);
}

// Markup of a level's net price over the purchase price, in percent.
double levelMarkup(const ArticleRow& row, double net) {
  return base::roundCommercial((base::divideOrZero(net, row.number(Art::kPreisStck)) - 1) * 100, 3);
}

void zeroLevels(ArticleRow& row) {
  for (int n = 2; n <= 5; ++n) {
    for (Art group : {Art::kKalkFakt2, Art::kNetto2, Art::kPreis2, Art::kArtrab2}) {
      row.setNumber(levelField(group, n), 0);
    }
  }
}

void calculateLevel(ArticleRow& row, int n, int mode) {
  const Art net = levelField(Art::kNetto2, n);
  const Art gross = levelField(Art::kPreis2, n);
  const Art discount = levelField(Art::kArtrab2, n);
  const Art markup = levelField(Art::kKalkFakt2, n);
  switch (mode) {
    case 1: {
      double keep = 1 - row.number(discount) / 100;
      store(row, gross, round2(row.number(Art::kBrutto) * keep));
      double netPrice = store(row, net, round2(row.number(Art::kNetto) * keep));
      row.setNumber(markup, levelMarkup(row, netPrice));
      break;
    }
    case 2: {
      double netPrice =
          store(row, net, round2(row.number(Art::kPreisStck) * (1 + row.number(markup) / 100)));
      store(row, gross, withVat(row, netPrice));
      row.setNumber(discount, levelDiscount(row, netPrice));
      break;
    }
    case 3: {
      double netPrice =
          store(row, net,
                round2(base::divideOrZero(row.number(gross), 1 + row.number(Art::kMwst) / 100)));
      row.setNumber(markup, levelMarkup(row, netPrice));
      row.setNumber(discount, levelDiscount(row, netPrice));
      break;
    }
    case 4: {
      double netPrice = row.number(net);
      store(row, gross, withVat(row, netPrice));
      row.setNumber(markup, levelMarkup(row, netPrice));
      row.setNumber(discount, levelDiscount(row, netPrice));
      break;
    }
    default:
      break;
  }
}

}  // namespace

double GETRABGRUP(const std::string& key, bool* found) {
  std::string padded = padCut(key, kDiscountGroupWidth);
  xbase::Table& groups = openTable("DNORMRAB");
  bool stored = seekKey(groups, padded);
  if (found) *found = stored;
  if (stored) return fieldNumber(groups, "MULTI");
  if (!found) NORMFEHLER(err::kDiscountGroupMissing, padded);
  return 1;
}

bool NEUERPREIS(double& price, std::string_view kind, std::string_view value, bool groupsAllowed) {
  kind = trimBlanks(kind);
  value = trimBlanks(value);
  double amount = numberOf(value);
  if (kind == "0" && groupsAllowed) {
    price *= GETRABGRUP(std::string(value));
  } else if (kind == "1") {
    price *= 1 - amount / 10000;
  } else if (kind == "2") {
    price *= amount / 1000;
  } else if (kind == "3") {
    price *= 1 + amount / 10000;
  } else {
    NORMFEHLER(err::kDiscountPairKind, std::string(kind));
    return false;
  }
  return true;
}

void LAKALK(ArticleRow& row, bool netGiven) {
  double purchase = row.number(Art::kPreisStck);
  double vatFactor = 1 + row.number(Art::kMwst) / 100;
  double net = 0;
  double gross = 0;
  if (netGiven) {
    net = row.number(Art::kNetto);
    gross = round2(net * vatFactor);
  } else {
    gross = row.number(Art::kBrutto);
    net = round2(base::divideOrZero(gross, vatFactor));
  }
  double markup = purchase > 0 ? base::roundCommercial((net / purchase - 1) * 100, 3) : 0;
  if (markup >= kMarkupTooHigh || markup <= kMarkupTooLow) {
    NORMFEHLER(err::kMarkupRange, numberDetail(markup, 3));
    markup = markup > 0 ? kMaxMarkup : kMinMarkup;
  }
  if (gross > kMaxGross) {
    NORMFEHLER(err::kGrossTooLarge, numberDetail(gross, 2));
    gross = kMaxGross;
  }
  if (netGiven) {
    row.setNumber(Art::kBrutto, gross);
  } else {
    row.setNumber(Art::kNetto, net);
  }
  row.setNumber(Art::kKalkFakt, markup);
}

void LAKALK2_5(ArticleRow& row, int mode) {
  if (row.number(Art::kPreisStck) <= 0) {
    zeroLevels(row);
    return;
  }
  for (int n = 2; n <= 5; ++n) calculateLevel(row, n, mode);
}

void KALKHD(ArticleRow& row, int level, double net) {
  if (level < 2 || level > 5) return;
  double netPrice = store(row, levelField(Art::kNetto2, level), net);
  row.setNumber(levelField(Art::kPreis2, level), withVat(row, netPrice));
  row.setNumber(levelField(Art::kKalkFakt2, level),
                row.number(Art::kPreisStck) > 0 ? levelMarkup(row, netPrice) : 0);
  row.setNumber(levelField(Art::kArtrab2, level), levelDiscount(row, netPrice));
}

double E_RECHNEPREIS(double unit, double price, double quantity) {
  if (unit <= 0) unit = 1;
  if (unit == 1) return price * quantity;
  return round2(price * (quantity / unit));
}

void LAWARENWERT(ArticleRow& row) {
  double value = 0;
  if (row.logical(Art::kMitMenge)) {
    double purchase = WGWERTROUND(row.number(Art::kPreisStck), row.text(Art::kWgIata), WGHAUPT());
    value = E_RECHNEPREIS(row.number(Art::kSchluessel), purchase, row.number(Art::kBestand));
  }
  if (value > kMaxStockValue) {
    NORMFEHLER(err::kStockValueTooLarge, numberDetail(value, 2));
    value = kMaxStockValue;
  } else if (value < kMinStockValue) {
    NORMFEHLER(err::kStockValueTooSmall, numberDetail(value, 2));
    value = kMinStockValue;
  }
  row.setNumber(Art::kWert, value);
}

}  // namespace dnorm
