#pragma once

#include <string>

namespace dnorm {

// Typed reads of the import settings (numbered 1-21) from the settings cache.
bool settingOn(int n);
double settingNumber(int n);
int settingChoice(int n);  // a number setting that picks one of several values
std::string settingText(int n);

// Setting numbers the import reads.
namespace setting {
constexpr int kPath = 1;
constexpr int kAllIndexes = 2;
constexpr int kSupplier = 3;
constexpr int kVat = 4;
constexpr int kLongTexts = 5;
constexpr int kGroupFilter = 6;
constexpr int kStockKept = 7;
constexpr int kDiscountAllowed = 8;
constexpr int kCurrency = 9;
constexpr int kEanTarget = 10;
constexpr int kMatchcode = 11;
constexpr int kGrossAsPurchase = 12;
constexpr int kGrossAsNet = 13;
constexpr int kNetAsPurchase = 14;
constexpr int kNetAsNet = 15;
constexpr int kLevelMode = 16;
constexpr int kDeletion = 17;
constexpr int kUpdateExisting = 18;
constexpr int kOnlyLevel = 19;
constexpr int kGrossAsGross = 20;
constexpr int kNetAsGross = 21;
}  // namespace setting

}  // namespace dnorm
