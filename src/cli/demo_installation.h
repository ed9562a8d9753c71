#pragma once

#include <filesystem>

namespace cli {

// Turns the program directory of the running session, `home`, into a ready installation:
// ARTIKIMP.INI with setting 1 (Pfad) pointing at home/lgw/ and all article indexes kept
// current (setting 2), the own tables indexed and the error texts filled in, the files that
// ship with the program, and in home/lgw/ a merchandise folder with ARTIKEL, LANGTEXT,
// QMTIND, WEURO (EUR, DEM, CHF, USD) and every index file those settings need, and
// winlgw.ini with EUR as main currency. False, after a message, when something failed.
bool installDemo(const std::filesystem::path& home);

}  // namespace cli
