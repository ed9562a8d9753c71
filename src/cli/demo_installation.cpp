#include "cli/demo_installation.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "cli/shipped_files.h"
#include "import/empty_merchandise.h"
#include "settings/cache.h"
#include "settings/storage.h"
#include "tables/catalogue.h"
#include "tables/merchandise_tables.h"
#include "tables/reorg.h"
#include "xbase/table.h"

namespace cli {

namespace {

constexpr int kPfad = 1;
constexpr int kIndex = 2;
constexpr int kLieferant = 3;
constexpr const char* kSupplierNumber = "70011";

struct Currency {
  const char* land;  // UTF-8
  const char* code;
  const char* symbol;  // UTF-8
  double rate;         // units per euro
};

const Currency kCurrencies[] = {
    {"Euro-Länder", "EUR", "€", 1},
    {"Deutschland (DM)", "DEM", "DM", 1.95583},
    {"Schweiz", "CHF", "sFr", 0.9412},
    {"USA", "USD", "$", 1.0856},
};
constexpr const char* kBaseCurrency = "EUR";

bool failed(const std::string& what) {
  std::cerr << what << "\n";
  return false;
}

void writeSettings(const std::filesystem::path& merchandise) {
  std::vector<settings::Value> values = settings::GETVOREIN();
  values[kPfad - 1] = settings::fromStoredText(settings::kCatalogue[kPfad - 1],
                                               base::ansi(merchandise.string() + "/"));
  values[kIndex - 1] = true;
  values[kLieferant - 1] =
      settings::fromStoredText(settings::kCatalogue[kLieferant - 1], kSupplierNumber);
  settings::SETVOREIN(values);
  settings::GETVORFELD(0, true);
}

bool createOwnTables() {
  std::vector<std::string> created;
  tables::DB_DATEI(&created);
  return tables::REORG(created) && fillShippedErrorTexts();
}

// The help document lies in the program directory, as in an installed one.
void copyShippedHelp(const std::filesystem::path& home) {
  std::filesystem::path help = shippedFile("Datanorm.hlp");
  std::error_code ec;
  if (std::filesystem::exists(help, ec))
    std::filesystem::copy_file(help, home / help.filename(), ec);
}

// Replaces the rows of WEURO with the demo's currencies.
xbase::Status writeCurrencies(const std::filesystem::path& merchandise) {
  namespace weuro = tables::weuro;
  std::unique_ptr<xbase::Table> table;
  XBASE_RETURN_IF_ERROR(
      xbase::Table::open((merchandise / (std::string(weuro::kFile) + ".dbf")).string(),
                         {xbase::OpenMode::Exclusive, nullptr}, &table));
  XBASE_RETURN_IF_ERROR(table->zap());
  for (const Currency& c : kCurrencies) {
    XBASE_RETURN_IF_ERROR(table->append());
    XBASE_RETURN_IF_ERROR(table->putString(table->fieldIndex(weuro::kLand), base::ansi(c.land)));
    XBASE_RETURN_IF_ERROR(table->putString(table->fieldIndex(weuro::kWgIata), c.code));
    XBASE_RETURN_IF_ERROR(
        table->putString(table->fieldIndex(weuro::kAnzeige), base::ansi(c.symbol)));
    XBASE_RETURN_IF_ERROR(table->putString(table->fieldIndex(weuro::kBasis), kBaseCurrency));
    XBASE_RETURN_IF_ERROR(table->putNumber(table->fieldIndex(weuro::kKurs), c.rate));
  }
  return table->close();
}

}  // namespace

bool installDemo(const std::filesystem::path& home) {
  std::filesystem::path merchandise = home / "lgw";
  std::error_code ec;
  std::filesystem::create_directories(merchandise, ec);
  if (ec) return failed("Ordner nicht anlegbar: " + merchandise.string() + ": " + ec.message());
  writeSettings(merchandise);
  if (!createOwnTables()) return failed("Eigene Tabellen nicht angelegt in " + home.string());
  copyShippedHelp(home);
  xbase::Status status = dnorm::createEmptyMerchandiseFolder(merchandise);
  if (status.isOk()) status = writeCurrencies(merchandise);
  if (!status.isOk()) return failed("Warenwirtschaft: " + base::utf8FromAnsi(status.message()));
  return true;
}

}  // namespace cli
