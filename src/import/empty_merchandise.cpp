#include "import/empty_merchandise.h"

#include <fstream>
#include <memory>
#include <vector>

#include "xbase/table.h"

namespace dnorm {

namespace {

using xbase::FieldList;
using xbase::Status;

}  // namespace

const FieldList kArticleFields = {
    {"NUMMER", 'C', 15, 0},     {"DATANORM", 'C', 1, 0},   {"ARTIKEL", 'C', 40, 0},
    {"ZUSATZ", 'C', 40, 0},     {"ZUSATZ1", 'C', 40, 0},   {"EINHEIT", 'C', 4, 0},
    {"LIEFERANT", 'C', 10, 0},  {"MWST", 'N', 5, 2},       {"MIT_MENGE", 'L', 1, 0},
    {"MIT_RABATT", 'L', 1, 0},  {"WG_IATA", 'C', 3, 0},    {"RABATTGRUP", 'C', 4, 0},
    {"WAGRU", 'C', 10, 0},      {"WAGRU2", 'C', 10, 0},    {"SCHLUESSEL", 'N', 4, 0},
    {"PREIS_STCK", 'N', 12, 2}, {"NETTO", 'N', 12, 2},     {"BRUTTO", 'N', 12, 2},
    {"LETZTEK", 'N', 12, 2},    {"LETZTDAT", 'D', 8, 0},   {"KALK_FAKT", 'N', 8, 3},
    {"PREIS2", 'N', 12, 2},     {"PREIS3", 'N', 12, 2},    {"PREIS4", 'N', 12, 2},
    {"PREIS5", 'N', 12, 2},     {"NETTO2", 'N', 12, 2},    {"NETTO3", 'N', 12, 2},
    {"NETTO4", 'N', 12, 2},     {"NETTO5", 'N', 12, 2},    {"ARTRAB2", 'N', 6, 2},
    {"ARTRAB3", 'N', 6, 2},     {"ARTRAB4", 'N', 6, 2},    {"ARTRAB5", 'N', 6, 2},
    {"KALK_FAKT2", 'N', 8, 3},  {"KALK_FAKT3", 'N', 8, 3}, {"KALK_FAKT4", 'N', 8, 3},
    {"KALK_FAKT5", 'N', 8, 3},  {"WERT", 'N', 14, 2},      {"BESTAND", 'N', 12, 3},
    {"LANGTEXT", 'L', 1, 0},    {"LIEF_A_NR", 'C', 20, 0}, {"FREIFELD1", 'C', 20, 0},
    {"EAN", 'C', 13, 0}};

namespace {

const FieldList kQmtindFields = {{"ALIAS", 'C', 10, 0}, {"AKTIV", 'L', 1, 0}, {"INDEX", 'C', 8, 0}};

const FieldList kWeuroFields = {{"LAND", 'C', 20, 0},
                                {"WG_IATA", 'C', 3, 0},
                                {"ANZEIGE", 'C', 5, 0},
                                {"BASIS", 'C', 3, 0},
                                {"KURS", 'N', 12, 6}};

FieldList longTextFields() {
  FieldList fields{{"ART_NUM", 'C', 15, 0}};
  for (int i = 1; i <= 20; ++i) fields.push_back({"TEXT" + std::to_string(i), 'C', 60, 0});
  return fields;
}

template <size_t N>
Status createTable(const std::filesystem::path& folder, const std::string& name,
                   const FieldList& fields, const IndexFile (&indexes)[N]) {
  std::string path = (folder / (name + ".dbf")).string();
  XBASE_RETURN_IF_ERROR(xbase::Table::create(path, fields, false));
  std::unique_ptr<xbase::Table> table;
  XBASE_RETURN_IF_ERROR(xbase::Table::open(path, {xbase::OpenMode::Exclusive, nullptr}, &table));
  for (const IndexFile& index : indexes) {
    XBASE_RETURN_IF_ERROR(table->createIndex((folder / (std::string(index.name) + ".cdx")).string(),
                                             index.name, index.key));
  }
  return table->close();
}

// Rows given as texts per field, numbers included.
Status createFilled(const std::filesystem::path& folder, const std::string& name,
                    const FieldList& fields, const std::vector<std::vector<std::string>>& rows) {
  std::string path = (folder / (name + ".dbf")).string();
  XBASE_RETURN_IF_ERROR(xbase::Table::create(path, fields, false));
  std::unique_ptr<xbase::Table> table;
  XBASE_RETURN_IF_ERROR(xbase::Table::open(path, {xbase::OpenMode::Exclusive, nullptr}, &table));
  for (const std::vector<std::string>& row : rows) {
    XBASE_RETURN_IF_ERROR(table->append());
    for (size_t i = 0; i < row.size(); ++i) {
      int field = static_cast<int>(i);
      switch (fields[i].type) {
        case 'N':
          XBASE_RETURN_IF_ERROR(table->putNumber(field, std::stod(row[i])));
          break;
        case 'L':
          XBASE_RETURN_IF_ERROR(table->putLogical(field, row[i] == "T"));
          break;
        default:
          XBASE_RETURN_IF_ERROR(table->putString(field, row[i]));
      }
    }
  }
  return table->close();
}

}  // namespace

const IndexFile kMerchandiseArticleIndexes[8] = {
    {"LANUM", "NUMMER"},        {"LANAM", "UPPER(ARTIKEL)"}, {"LALIEF", "LIEFERANT+NUMMER"},
    {"LAGRUP", "WAGRU+NUMMER"}, {"LALIENUM", "LIEF_A_NR"},   {"LA_FREI1", "FREIFELD1"},
    {"LA_EAN", "EAN"},          {"LAFAV1", "NETTO"}};

const IndexFile kMerchandiseLongTextIndexes[3] = {
    {"LANGNUM", "ART_NUM"}, {"LANGNUM1", "UPPER(TEXT1)"}, {"LANGNUM2", "ART_NUM+TEXT1"}};

xbase::Status createEmptyArticleTable(const std::filesystem::path& folder) {
  return createTable(folder, "ARTIKEL", kArticleFields, kMerchandiseArticleIndexes);
}

xbase::Status createEmptyMerchandiseFolder(const std::filesystem::path& folder) {
  XBASE_RETURN_IF_ERROR(createEmptyArticleTable(folder));
  XBASE_RETURN_IF_ERROR(
      createTable(folder, "LANGTEXT", longTextFields(), kMerchandiseLongTextIndexes));
  XBASE_RETURN_IF_ERROR(createFilled(folder, "QMTIND", kQmtindFields,
                                     {{"ARTIKEL", "T", "LANUM"},
                                      {"ARTIKEL", "T", "LA_EAN"},
                                      {"ARTIKEL", "T", "LAFAV1"},
                                      {"LANGTEXT", "T", "LANGNUM"}}));
  XBASE_RETURN_IF_ERROR(createFilled(folder, "WEURO", kWeuroFields,
                                     {{"Euro-Waehrungsgebiet", "EUR", "\x80", "EUR", "1"},
                                      {"Deutschland (alt)", "DEM", "DM", "EUR", "1.95583"},
                                      {"Schweiz", "CHF", "SFr", "EUR", "0.941234"},
                                      {"Dollar-Raum", "XUS", "$", "USD", "1"}}));
  std::ofstream ini(folder / "winlgw.ini", std::ios::binary | std::ios::trunc);
  ini << "[Allgemein]\r\nWaehrung=EUR\r\nZweitWaehrung=DEM\r\n";
  if (!ini) return Status::ioError((folder / "winlgw.ini").string() + ": cannot be written");
  return Status::ok();
}

}  // namespace dnorm
