#pragma once

#include <string>

#include "tables/catalogue.h"

namespace tables {

// Rebuilds the closed own table `name` with `structure`: the table file (and a memo file,
// if any) moves into the backup folder, a new table of that structure takes its place and
// receives every record of the backup that is not marked deleted, fields matched by name,
// and its index is written anew. An old backup is deleted only when the user agrees ("Test
// Datenbankstrukur"). A failed delete or rename is reported through FCHECK and ends the
// repair with the files as they are then (a failed memo move puts the table file back).
// True when the table was rebuilt.
bool repairStructure(const std::string& name, const Structure& structure);

}  // namespace tables
