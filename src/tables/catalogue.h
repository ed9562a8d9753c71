#pragma once

#include <string>
#include <utility>
#include <vector>

#include "xbase/common/field.h"

namespace tables {

// The system's own seven tables: their names, fields, index files and keys. Table names
// given to these functions are compared in upper case; results carry upper-case names.

// One field as the catalogue writes it: the name in mixed case, the type letter, width and
// decimals. A logical field is listed with the width the catalogue gives it (Gesperrt: 5);
// the table file always holds one byte for it.
struct FieldInfo {
  std::string name;
  char type = 'C';
  int width = 0;
  int decimals = 0;
  bool operator==(const FieldInfo&) const = default;
};
using Structure = std::vector<FieldInfo>;

using NamePairs = std::vector<std::pair<std::string, std::string>>;

// (table, index file) per own table in catalogue order; the index file is named like the table.
NamePairs GETALL();
// (table, caption of its order) in catalogue order.
NamePairs GETALLSORTIERUNG();
// The distinct table names in catalogue order.
std::vector<std::string> GETDBFS();
// The index files registered for a table; empty for a table that is not in the catalogue.
std::vector<std::string> GETINDEX(const std::string& name);
// The field list of an own table. Any other name shows the alert "Für die Datenbank: <name>
// gibt es keine Strukturinformationen" titled "QMT LGW" and gives an empty list.
Structure GETSTRUKTUR(const std::string& name);
// The key expression of the table's one index order, as it is stored in the index file;
// empty for a table that is not in the catalogue.
std::string indexKey(const std::string& name);

// The field descriptors a table of this structure is created with: names in upper case,
// logical fields one byte, dates eight.
xbase::FieldList fileStructure(const Structure& structure);

// Looks for each own table's file in the program directory, in catalogue order. The first
// missing one is reported ("Datei: <name>.dbf fehlt", "QMT Datanorm") when `show`, and the
// result is true; false when all exist.
bool TESTDBFDATEI(bool show = true);
// Creates the listed tables that are missing in the program directory, empty and without an
// index, and appends their names to `created`. Every name in `names` is replaced by its
// upper-case form. True when at least one listed table was missing, even if it could not be
// created (that failure is reported and the table stays missing).
bool DBANLEGEN(std::vector<std::string>& names, std::vector<std::string>& created);
// DBANLEGEN for each of the seven tables in catalogue order; `created` (when given)
// receives the names of the tables created. Ends the wait message. Returns true.
bool DB_DATEI(std::vector<std::string>* created = nullptr);

}  // namespace tables
