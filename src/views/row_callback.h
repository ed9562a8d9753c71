#pragma once

#include <string>
#include <vector>

#include "views/display_definition.h"

namespace views {

// Compiles the column expressions once against the fields of the table open under `alias`
// and gives the row callback that evaluates them for that table's current record. A column
// whose expression yields a number, date or logical value shows it as STR, DTOC or JANEIN
// would. On failure `row` is left alone, `failed` receives the first expression that does not
// compile (empty when the table is not open) and the result is false.
bool compileRowCallback(const std::string& alias, const std::vector<std::string>& expressions,
                        RowCallback& row, std::string& failed);

}  // namespace views
