#pragma once

#include <functional>
#include <string>
#include <vector>

namespace views {

// The columns of a table browser: per column the expression computing its text from the
// current record, its header and whether it is right-aligned, in display order. Texts are
// Windows-1252.
struct DisplayDefinition {
  std::vector<std::string> expressions;
  std::vector<std::string> headers;
  std::vector<bool> aligns;
};

// The texts of all columns for the current record of the displayed table, in column order.
using RowCallback = std::function<std::vector<std::string>()>;

// The display definition of the table open under `alias`, from the first source that has one:
// the definition table tabelle/<definition name>.dbf, the definition file tabelle/<alias>.def,
// the built-in definition of the alias. `definitionName` defaults to the alias. The row
// callback is compiled once from the expressions against the table's fields. An
// installation's expression that does not compile is reported and the built-in definition
// is used instead. False when no definition exists (or the table is not open).
bool GETINFOTABELLE(const std::string& alias, RowCallback& row, std::vector<std::string>& headers,
                    std::vector<bool>& aligns, const std::string& definitionName = {});

// The columns a browser shows of the table open under `alias`: its display definition
// (GETINFOTABELLE), or for a table without one a column per field (GETFELDER) headed by the
// field's name, numbers right-aligned (GETFELDTYPEN).
void displayColumns(const std::string& alias, RowCallback& row, std::vector<std::string>& headers,
                    std::vector<bool>& aligns);

}  // namespace views
