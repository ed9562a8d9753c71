#include "import/import_tables.h"

#include <optional>
#include <stdexcept>

#include "base/cp1252.h"
#include "import/record_fields.h"
#include "import/settings_access.h"
#include "import/table_access.h"
#include "tables/catalogue.h"
#include "tables/merchandise_tables.h"
#include "tables/net.h"
#include "ui/port.h"
#include "util/list_helpers.h"
#include "xbase/common/file.h"

namespace dnorm {

namespace {

namespace artikel = tables::artikel;
namespace langtext = tables::langtext;
namespace qmtind = tables::qmtind;

std::optional<ArticleRow>& openArticles() {
  static std::optional<ArticleRow> row;
  return row;
}

bool merchandiseFileExists(const std::string& name) {
  return xbase::FileSystem::real().exists(merchandisePath(name));
}

// Attaches index files to an open table as its order list, the first controlling; when
// that fails the user learns which file could not be used.
bool attachIndexes(std::string_view alias, const std::vector<std::string>& names,
                   const std::string& folder) {
  tables::OnAlias on{std::string(alias)};
  if (tables::NETINDEX(names, folder) && tables::NETORDER(1)) return true;
  std::string culprit = std::string(alias) + ".dbf";
  for (const std::string& name : names) {
    if (!merchandiseFileExists(name + ".cdx")) {
      culprit = name + ".cdx";
      break;
    }
  }
  ui::port().information(
      "QMT Warenwirtschaft-Dateien",
      "Indexdatei: " + folder + culprit + "\r\n" + base::ansi("kann nicht geöffnet werden"));
  return false;
}

}  // namespace

bool DBFOPEN() {
  for (const std::string& name : tables::GETDBFS()) {
    if (!tables::NETOPEN(name, false)) return false;
  }
  return true;
}

std::string GETLGWPFAD() {
  return std::string(trimBlanks(settingText(setting::kPath)));
}

std::string merchandisePath(const std::string& name) {
  return xbase::resolveCaseInsensitive(base::utf8FromAnsi(GETLGWPFAD() + name));
}

std::vector<std::string> requiredMerchandiseFiles(bool allIndexes) {
  if (!allIndexes) return {"ARTIKEL.dbf", "LANUM.cdx", "LANGTEXT.dbf", "LANGNUM.cdx"};
  return {"ARTIKEL.dbf",  "LANUM.cdx",    "LANAM.cdx",   "LALIEF.cdx", "LAGRUP.cdx",
          "LALIENUM.cdx", "LA_FREI1.cdx", "LA_EAN.cdx",  "LAFAV1.cdx", "LANGTEXT.dbf",
          "LANGNUM.cdx",  "LANGNUM1.cdx", "LANGNUM2.cdx"};
}

void ADDUSERINDEX(std::vector<std::string>& indexes, const std::string& folder) {
  std::string file = folder + std::string(qmtind::kFile);
  std::string alias(qmtind::kAlias);
  if (!merchandiseFileExists(std::string(qmtind::kFile) + ".dbf") ||
      !tables::NETUSE(file, true, alias))
    return;
  xbase::Table& table = openTable(alias);
  for (table.goTop(); !table.eof(); table.skip()) {
    if (base::upperAnsi(trimBlanks(fieldText(table, qmtind::kAliasField))) != artikel::kAlias ||
        !fieldLogical(table, qmtind::kAktiv)) {
      continue;
    }
    std::string name = base::upperAnsi(trimBlanks(fieldText(table, qmtind::kIndex)));
    if (!name.empty() && merchandiseFileExists(name + ".cdx")) util::INSARRAY(indexes, name);
  }
  tables::NETCLOSE(alias);
}

bool LGWOPEN() {
  std::string folder = GETLGWPFAD();
  if (!tables::NETUSE(folder + std::string(artikel::kFile), true, std::string(artikel::kFile)))
    return false;
  if (!tables::NETUSE(folder + std::string(langtext::kFile), true, std::string(langtext::kFile))) {
    tables::NETCLOSE(std::string(artikel::kFile));
    return false;
  }
  std::vector<std::string> indexes{std::string(artikel::kNumberIndex)};
  if (settingOn(setting::kAllIndexes)) {
    for (std::string_view name : artikel::kMoreIndexes) indexes.push_back(std::string(name));
    if (merchandiseFileExists(std::string(artikel::kIsoIndex) + ".cdx"))
      indexes.push_back(std::string(artikel::kIsoIndex));
    ADDUSERINDEX(indexes, folder);
  }
  std::vector<std::string> longTextIndexes(langtext::kIndexes.begin(), langtext::kIndexes.end());
  if (!attachIndexes(artikel::kAlias, indexes, folder) ||
      !attachIndexes(langtext::kAlias, longTextIndexes, folder)) {
    LGWCLOSE();
    return false;
  }
  openArticles().emplace(openTable(std::string(artikel::kAlias)));
  return true;
}

void LGWCLOSE() {
  openArticles().reset();
  tables::NETCLOSE(std::string(artikel::kFile));
  tables::NETCLOSE(std::string(langtext::kFile));
}

ArticleRow& articleRow() {
  if (!openArticles()) throw std::logic_error("ARTIKEL is not open");
  return *openArticles();
}

}  // namespace dnorm
