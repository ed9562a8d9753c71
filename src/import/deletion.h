#pragma once

#include <optional>
#include <string>

namespace dnorm {

// Empties the tables the imports fill, by the kind of the "Löschen" menu command:
// 1 main product groups, 3 discount groups, 4 error log, 6 article protocol, 7 all four.
// Each table is opened exclusively (or used as it is when already open), emptied and
// closed. False when one cannot be opened; the tables before it stay emptied.
bool NORMLOESCHEN(int kind);

// Empties the table open under `alias` when it holds any record (deleted ones count), after
// the question `question` + "Alle Daten löschen?" (default: "Datenbank: " + alias), No
// being the default, unless `silently`. Returns true.
bool DBKONTROLLE(const std::string& alias,
                 const std::optional<std::string>& question = std::nullopt, bool silently = false);

}  // namespace dnorm
