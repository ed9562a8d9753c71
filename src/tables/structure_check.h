#pragma once

namespace tables {

// Compares each own table with the catalogue, shows every difference and, when the user
// agrees, rebuilds the table with the corrected structure (see repairStructure). Missing
// tables are created and reorganised first. A table another program holds is skipped with a
// message; a field of another type leaves its table unchanged. With `childWindowsOpen` (work
// areas of the main window still open) the check refuses to start and gives false; true
// otherwise.
bool TESTSTRUKTUR(bool childWindowsOpen = false);

}  // namespace tables
