#pragma once

#include "app/startup.h"

namespace tables {

// The table engine's behaviour for the whole run: records marked deleted are hidden from
// seeks and skips, and byte-range locks follow the installation's lock scheme, entry
// "Sperrverfahren" of section "Netzwerk" in the global INI file: "FoxPro" (the default) or
// "Clipper", for sites whose other programs lock the Clipper way.
void configureEngine();

// Makes sure the own tables exist: when TESTDBFDATEI reports a missing one (with its
// message), every missing table is created and exactly those are reorganised, which writes
// their index files. False when a table is still missing or the reorganisation failed.
bool checkOwnTables();

// The table layer's part of start-up: once the main window is shown, the engine is
// configured and the own tables are checked; then commit-on-unlock is switched off.
void setStartupHooks(app::StartupHooks& hooks);

}  // namespace tables
