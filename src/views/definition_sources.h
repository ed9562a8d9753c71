#pragma once

#include <string>

#include "views/display_definition.h"

namespace views {

// The installation's own display definitions in the folder "tabelle" of the program
// directory. Each gives an empty definition when it has none for the name.

// The definition table tabelle/<name>.dbf, opened shared under the alias TABDEF (waiting
// while another program holds it, unless the user declines): its index on POS is built
// anew, then every record that is not marked deleted gives a column in POS order, the
// expression from LINE and the header from HEADER without blanks around them, the alignment
// from ALIGN. The table is closed again.
DisplayDefinition readDefinitionTable(const std::string& name);

// The definition file tabelle/<alias>.def, an INI file: the values of the sections "Line",
// "Header" and "Align" in file order; an alignment value beginning with "J" means right.
DisplayDefinition readDefinitionFile(const std::string& alias);

}  // namespace views
