#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dnorm {

// The merchandise system's currencies: the table WEURO of its data folder, loaded into
// memory, and its main and second currency from "winlgw.ini" in the same folder.
// A code is compared exactly (same bytes, same length, same case).

struct CurrencyRow {
  std::string land;    // country
  std::string code;    // WG_IATA as stored
  std::string symbol;  // ANZEIGE
  std::string base;    // BASIS: code of the currency the rate refers to
  double rate = 0;     // KURS: units of this currency per unit of the base currency
};

// Loads the currency list anew (it keeps its previous rows when WEURO cannot be opened).
// With `checkMain`: returns the main currency's country, or shows that it is missing from
// the list and returns empty text. Without: empty text.
std::string WGINIT(bool checkMain = true);
const std::vector<CurrencyRow>& currencyList();

// Main and second currency from winlgw.ini, section "Allgemein", trimmed.
std::string WGHAUPT();
std::string WGZWEIT();
// The currencies in use: the main one, then the second one when set and different.
std::vector<std::string> WGITEMS();

// The rates of target and source; false (both rates 1) after a message when a code is not
// in the list or the two have different bases.
bool WGGETFAKTOR(const std::string& target, const std::string& source, double& targetRate,
                 double& sourceRate);
// An amount converted from `source` into `target` (unchanged when the codes are equal or
// the conversion fails); rounded when decimals are given.
double WGWERTROUND(double amount, const std::string& source, const std::string& target,
                   std::optional<int> decimals = std::nullopt);
double WGWERT(double amount, const std::string& source, const std::string& target);

// Display symbol (trimmed; the code itself when unknown), country and base (one blank when
// unknown).
std::string WGANZEIGE(const std::string& code);
std::string WGLAND(const std::string& code);
std::string WGBASIS(const std::string& code);

}  // namespace dnorm
