#include "tables/catalogue.h"

#include <memory>

#include "base/cp1252.h"
#include "tables/file_results.h"
#include "tables/own_files.h"
#include "ui/port.h"
#include "util/os_error_texts.h"
#include "xbase/common/file.h"
#include "xbase/table.h"

namespace tables {

namespace {

struct OwnTable {
  const char* name;
  const char* caption;  // of its one index order
  const char* key;      // key expression, stored as written here
  Structure fields;
};

const Structure kTextBlockFields = {
    {"Ltnummer", 'C', 8, 0}, {"Zeile", 'N', 2, 0}, {"Text", 'C', 40, 0}, {"Gesperrt", 'L', 5, 0}};

// Catalogue order: wherever the system goes through all its tables, it goes in this order.
const std::vector<OwnTable>& ownTables() {
  static const std::vector<OwnTable> tables = {
      {"DNORMLTT", "Langtext-Nr.+Zeile", "(Ltnummer+Str(Zeile))", kTextBlockFields},
      {"DNORMLTE", "Langtext-Nr.+Zeile", "(Ltnummer+Str(Zeile))", kTextBlockFields},
      {"DNORMWGR",
       "Haupt-Warengruppe",
       "(Wagru)",
       {{"Wagru", 'C', 3, 0}, {"Text", 'C', 40, 0}, {"Mit_Dieser", 'L', 1, 0}}},
      {"DNORMRAB",
       "Rabattgruppe",
       "(Rabattgrup)",
       {{"Rabattgrup", 'C', 4, 0}, {"Text", 'C', 40, 0}, {"Multi", 'N', 6, 4}}},
      {"DNORMERR",
       "DNORMERR",
       "(DTOS(Datum)+Zeit)",
       {{"Datum", 'D', 8, 0},
        {"Zeit", 'C', 8, 0},
        {"Datei", 'C', 13, 0},
        {"Satz", 'N', 8, 0},
        {"Artikel", 'C', 15, 0},
        {"Fehler", 'C', 110, 0},
        {"FehlerNr", 'N', 3, 0}}},
      {"DNORMERT",
       "Fehler-Nr.",
       "(FehlerNr)",
       {{"FehlerNr", 'N', 3, 0},
        {"Ohne", 'L', 1, 0},
        {"Fehler", 'C', 80, 0},
        {"Kommentar", 'C', 250, 0}}},
      {"DNORMPRO",
       "Artikel-Nr.",
       "(Artikel)",
       {{"Artikel", 'C', 15, 0},
        {"Vorgang", 'C', 8, 0},
        {"Altnr", 'C', 15, 0},
        {"Datum", 'D', 8, 0},
        {"Zeit", 'C', 8, 0},
        {"Datei", 'C', 13, 0},
        {"Satz", 'N', 8, 0}}},
  };
  return tables;
}

const OwnTable* find(const std::string& name) {
  std::string wanted = base::upperAnsi(name);
  for (const OwnTable& t : ownTables())
    if (wanted == t.name) return &t;
  return nullptr;
}

// Creates an empty table of the catalogue structure, flagged as owning its compound index.
// A failure is reported and leaves no file behind.
void createOwnTable(const std::string& name, const Structure& structure) {
  std::string path = tableFile(name);
  xbase::Status st = xbase::Table::create(path, fileStructure(structure), true);
  if (st.isOk()) return;
  if (xbase::FileSystem::real().exists(path)) xbase::FileSystem::real().remove(path);
  ui::port().information("QMT Datanorm", "Datenbank: " + name +
                                             " konnte nicht angelegt werden\r\n" +
                                             util::DOSFEHLER(-fileResult(st)));
}

}  // namespace

NamePairs GETALL() {
  NamePairs all;
  for (const OwnTable& t : ownTables()) all.emplace_back(t.name, t.name);
  return all;
}

NamePairs GETALLSORTIERUNG() {
  NamePairs all;
  for (const OwnTable& t : ownTables()) all.emplace_back(t.name, t.caption);
  return all;
}

std::vector<std::string> GETDBFS() {
  std::vector<std::string> names;
  for (const auto& [table, index] : GETALL())
    if (names.empty() || names.back() != table) names.push_back(table);
  return names;
}

std::vector<std::string> GETINDEX(const std::string& name) {
  std::string wanted = base::upperAnsi(name);
  NamePairs all = GETALL();
  std::vector<std::string> files;
  auto entry = all.begin();
  while (entry != all.end() && entry->first != wanted) ++entry;
  for (; entry != all.end() && entry->first == wanted && !entry->second.empty(); ++entry)
    files.push_back(entry->second);
  return files;
}

Structure GETSTRUKTUR(const std::string& name) {
  if (const OwnTable* t = find(name)) return t->fields;
  ui::port().alert("QMT LGW", base::ansi("Für die Datenbank: ") + base::upperAnsi(name) +
                                  " gibt es keine Strukturinformationen");
  return {};
}

std::string indexKey(const std::string& name) {
  const OwnTable* t = find(name);
  return t ? t->key : "";
}

xbase::FieldList fileStructure(const Structure& structure) {
  xbase::FieldList fields;
  for (const FieldInfo& f : structure) {
    xbase::FieldDef def;
    def.name = base::upperAnsi(f.name);
    def.type = f.type;
    def.length = static_cast<uint16_t>(f.type == 'L' ? 1 : f.type == 'D' ? 8 : f.width);
    def.decimals = static_cast<uint8_t>(f.type == 'N' ? f.decimals : 0);
    fields.push_back(def);
  }
  return fields;
}

bool TESTDBFDATEI(bool show) {
  for (const std::string& name : GETDBFS()) {
    if (xbase::FileSystem::real().exists(tableFile(name))) continue;
    if (show) ui::port().information("QMT Datanorm", "Datei: " + name + ".dbf fehlt");
    return true;
  }
  return false;
}

bool DBANLEGEN(std::vector<std::string>& names, std::vector<std::string>& created) {
  bool missing = false;
  for (std::string& name : names) {
    name = base::upperAnsi(name);
    if (xbase::FileSystem::real().exists(tableFile(name))) continue;
    missing = true;
    Structure structure = GETSTRUKTUR(name);
    if (structure.empty()) continue;
    createOwnTable(name, structure);
    if (!xbase::FileSystem::real().exists(tableFile(name))) continue;
    created.push_back(name);
    ui::port().showWaitMessage("Lege Datenbank an: " + name);
  }
  return missing;
}

bool DB_DATEI(std::vector<std::string>* created) {
  std::vector<std::string> names;
  for (const std::string& name : GETDBFS()) {
    std::vector<std::string> one = {name};
    DBANLEGEN(one, names);
  }
  if (created) *created = names;
  ui::port().endWaitMessage();
  return true;
}

}  // namespace tables
