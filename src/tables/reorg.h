#pragma once

#include <string>
#include <vector>

#include "xbase/table.h"

namespace tables {

// Brings the listed own tables (all tables of the catalogue when the list is empty) into a
// clean state, one by one in list order, in the progress dialog "Reorganisation": records
// marked deleted are removed and the table's index file is written anew. Each table is
// opened exclusively (waiting and asking as NETUSE does); at the first one that cannot be
// opened the stop message "Fehler beim Öffnen der Datei: <name>.dbf" / "Breche
// Reorganisation ab" ends the run with false, leaving the tables after it untouched. With
// `closeAll` every open table of the program is closed before each table.
bool REORG(const std::vector<std::string>& tables = {}, bool closeAll = true);

// Writes the compound index file of an own table anew, with exactly one order named like
// the table over the catalogue's key, whatever the old file held or however damaged it was.
// `progress` is called once per record, in record order. A file that could not be written
// completely is removed again, so the table is never used with a half-written index.
xbase::Status writeOwnIndex(xbase::Table& table, const std::string& name,
                            const xbase::KeyProgress& progress = {});

}  // namespace tables
