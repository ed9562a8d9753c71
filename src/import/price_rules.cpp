#include "import/price_rules.h"

#include "base/clock.h"
#include "import/currency.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/price_calc.h"
#include "import/record_fields.h"
#include "import/run_state.h"
#include "import/settings_access.h"

namespace dnorm {

namespace {

// Record fields of an "A" record that carry the price.
constexpr int kFieldPriceFlag = 7;
constexpr int kFieldPriceUnit = 8;
constexpr int kFieldPrice = 10;
constexpr int kFieldDiscountGroup = 11;

// Price unit code 0-3 -> quantity the prices refer to.
double unitQuantity(int code) {
  static const double kQuantities[] = {1, 10, 100, 1000};
  return kQuantities[code];
}

// The purchase price: the list price times the multiplier of the record's discount group,
// when one is named; a group that is not stored reports `missingError`.
double purchasePrice(double listPrice, const std::string& line, int missingError) {
  std::string group = XTEXT(kFieldDiscountGroup, line);
  if (isBlank(group)) return listPrice;
  bool found = false;
  double multiplier = GETRABGRUP(group, &found);
  if (!found) NORMFEHLER(missingError, group);
  return listPrice * multiplier;
}

bool grossTargetOn() {
  return settingOn(setting::kGrossAsGross) || settingOn(setting::kNetAsGross);
}

}  // namespace

int onlyPriceLevel() {
  int level = settingChoice(setting::kOnlyLevel);
  return level >= 2 && level <= 5 ? level : 0;
}

double listPriceInArticleCurrency(const ArticleRow& row, const std::string& field) {
  return WGWERTROUND(numberOf(field) / 100, runState().header.currency, row.text(Art::kWgIata));
}

void newArticlePrices(ArticleRow& row, const std::string& line) {
  std::string unit(trimBlanks(XTEXT(kFieldPriceUnit, line)));
  bool unitValid = unit.size() == 1 && unit[0] >= '0' && unit[0] <= '3';
  row.setNumber(Art::kSchluessel, unitValid ? unitQuantity(unit[0] - '0') : 1);

  std::string flag = XTEXT(kFieldPriceFlag, line);
  if (isBlank(flag)) return;
  double flagValue = numberOf(flag);
  if (flagValue != 1 && flagValue != 2) {
    NORMFEHLER(err::kNewPriceFlag, flag);
    return;
  }
  std::string price = XTEXT(kFieldPrice, line);
  if (isBlank(price)) return;
  double listPrice = numberOf(price) / 100 * runState().importFactor;
  row.setNumber(Art::kPreisStck, purchasePrice(listPrice, line, err::kNewDiscountGroup));
  bool gross = grossTargetOn();
  row.setNumber(gross ? Art::kBrutto : Art::kNetto, listPrice);
  LAKALK(row, !gross);
  LAKALK2_5(row, 1);
}

void changedArticlePrices(ArticleRow& row, const std::string& line) {
  std::string flag = XTEXT(kFieldPriceFlag, line);
  if (isBlank(flag)) return;
  int flagValue = static_cast<int>(numberOf(flag));
  if (numberOf(flag) != flagValue || (flagValue != 1 && flagValue != 2)) {
    NORMFEHLER(err::kChangePriceFlag, flag);
    return;
  }
  bool wanted = flagValue == 1
                    ? settingOn(setting::kGrossAsPurchase) || settingOn(setting::kGrossAsNet) ||
                          settingOn(setting::kGrossAsGross)
                    : settingOn(setting::kNetAsPurchase) || settingOn(setting::kNetAsNet) ||
                          settingOn(setting::kNetAsGross);
  if (!wanted) return;

  std::string unit = XTEXT(kFieldPriceUnit, line);
  if (isBlank(unit)) return;
  double unitCode = numberOf(unit);
  if (unitCode < 0 || unitCode > 3) {
    NORMFEHLER(err::kChangePriceUnit, unit);
    return;
  }
  row.setNumber(Art::kSchluessel, unitQuantity(static_cast<int>(unitCode)));

  std::string price = XTEXT(kFieldPrice, line);
  if (isBlank(price)) return;
  double listPrice = listPriceInArticleCurrency(row, price);
  double purchase = purchasePrice(listPrice, line, err::kChangeDiscountGroup);
  if (int level = onlyPriceLevel()) {
    KALKHD(row, level, listPrice);
    return;
  }
  recalculatePrices(row, storeByPriceSettings(row, flagValue, listPrice, purchase));
}

bool storeByPriceSettings(ArticleRow& row, int flag, double listPrice, double purchase) {
  bool asPurchase = settingOn(flag == 1 ? setting::kGrossAsPurchase : setting::kNetAsPurchase);
  bool asNet = settingOn(flag == 1 ? setting::kGrossAsNet : setting::kNetAsNet);
  bool asGross = settingOn(flag == 1 ? setting::kGrossAsGross : setting::kNetAsGross);
  if (asPurchase) {
    row.setNumber(Art::kLetztek, row.number(Art::kPreisStck));
    row.setNumber(Art::kPreisStck, purchase);
  }
  if (asNet) {
    row.setNumber(Art::kNetto, listPrice);
    return false;
  }
  if (asGross) row.setNumber(Art::kBrutto, listPrice);
  return asGross;
}

void recalculatePrices(ArticleRow& row, bool grossGiven) {
  row.setDate(Art::kLetztdat, base::clock().today());
  LAKALK(row, !grossGiven);
  LAKALK2_5(row, settingChoice(setting::kLevelMode));
  LAWARENWERT(row);
}

}  // namespace dnorm
