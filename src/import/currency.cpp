#include "import/currency.h"

#include <sys/stat.h>

#include "base/cp1252.h"
#include "base/ini_file.h"
#include "base/rounding.h"
#include "import/import_tables.h"
#include "import/record_fields.h"
#include "import/table_access.h"
#include "tables/merchandise_tables.h"
#include "tables/net.h"
#include "ui/port.h"
#include "xbase/common/file.h"

namespace dnorm {

namespace {

std::vector<CurrencyRow>& rows() {
  static std::vector<CurrencyRow> list;
  return list;
}

const CurrencyRow* find(const std::string& code) {
  for (const CurrencyRow& row : rows()) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

std::string messageTitle() {
  return base::ansi("Euro Währungen");
}

// winlgw.ini is read anew whenever a currency is asked for; the parsed file is kept as
// long as the file's size and modification time stay the same, since the import asks
// once per changed article.
std::string winlgwValue(const char* key) {
  struct Cached {
    std::string path;
    int64_t modifiedNs = -1;
    off_t size = -1;
    base::IniFile ini = base::IniFile::parse("");
  };
  static Cached cache;
  std::string path = merchandisePath("winlgw.ini");
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  int64_t modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  if (path != cache.path || st.st_size != cache.size || modifiedNs != cache.modifiedNs) {
    std::optional<base::IniFile> ini = base::IniFile::load(path);
    if (!ini) return {};
    cache = {path, modifiedNs, st.st_size, std::move(*ini)};
  }
  return std::string(trimBlanks(cache.ini.value("Allgemein", key).value_or("")));
}

CurrencyRow rowOf(const xbase::Table& table) {
  namespace w = tables::weuro;
  return {fieldText(table, w::kLand), fieldText(table, w::kWgIata), fieldText(table, w::kAnzeige),
          fieldText(table, w::kBasis), fieldNumber(table, w::kKurs)};
}

}  // namespace

std::string WGINIT(bool checkMain) {
  const std::string name(tables::weuro::kFile);
  const std::string alias(tables::weuro::kAlias);
  if (xbase::FileSystem::real().exists(merchandisePath(name + ".dbf")) &&
      tables::NETUSE(GETLGWPFAD() + name, true, alias)) {
    std::vector<CurrencyRow> loaded;
    xbase::Table& table = openTable(alias);
    for (table.goTop(); !table.eof(); table.skip()) loaded.push_back(rowOf(table));
    tables::NETCLOSE(alias);
    rows() = std::move(loaded);
  }
  if (!checkMain) return {};
  std::string main = WGHAUPT();
  if (const CurrencyRow* row = find(main)) return row->land;
  ui::port().information(messageTitle(), base::ansi("Hauptwährung: ") + main + "\r\n" +
                                             base::ansi(" nicht in Währungstabelle enthalten!"));
  return {};
}

const std::vector<CurrencyRow>& currencyList() {
  return rows();
}

std::string WGHAUPT() {
  return winlgwValue("Waehrung");
}

std::string WGZWEIT() {
  return winlgwValue("ZweitWaehrung");
}

std::vector<std::string> WGITEMS() {
  std::vector<std::string> items{WGHAUPT()};
  std::string second = WGZWEIT();
  if (!second.empty() && second != items.front()) items.push_back(second);
  return items;
}

bool WGGETFAKTOR(const std::string& target, const std::string& source, double& targetRate,
                 double& sourceRate) {
  targetRate = sourceRate = 1;
  const CurrencyRow* from = find(source);
  const CurrencyRow* to = find(target);
  if (!from || !to) {
    ui::port().information(messageTitle(), "Eine gesuchte " + base::ansi("Währung") + " (" +
                                               source + "," + target +
                                               ") ist in der Umrechnungstabelle nicht vorhanden");
    return false;
  }
  if (from->base != to->base) {
    ui::port().information(messageTitle(),
                           base::ansi("Die gesuchten Währungen verwenden eine unterschiedliche "
                                      "Basis und können somit nicht umgerechnet werden."));
    return false;
  }
  targetRate = to->rate;
  sourceRate = from->rate;
  return true;
}

double WGWERTROUND(double amount, const std::string& source, const std::string& target,
                   std::optional<int> decimals) {
  double targetRate = 1;
  double sourceRate = 1;
  if (source != target && WGGETFAKTOR(target, source, targetRate, sourceRate)) {
    amount = base::divideOrZero(amount * targetRate, sourceRate);
  }
  return decimals ? base::roundCommercial(amount, *decimals) : amount;
}

double WGWERT(double amount, const std::string& source, const std::string& target) {
  return WGWERTROUND(amount, source, target, 2);
}

std::string WGANZEIGE(const std::string& code) {
  const CurrencyRow* row = find(code);
  return row ? std::string(trimBlanks(row->symbol)) : code;
}

std::string WGLAND(const std::string& code) {
  const CurrencyRow* row = find(code);
  return row ? row->land : " ";
}

std::string WGBASIS(const std::string& code) {
  const CurrencyRow* row = find(code);
  return row ? row->base : " ";
}

}  // namespace dnorm
