#pragma once

#include <optional>
#include <string>

#include "views/display_definition.h"

namespace views {

// The columns the program shows of its five browsable tables (DNORMWGR, DNORMRAB, DNORMERT,
// DNORMERR, DNORMPRO) when the installation defines none; nullopt for any other name.
// `alias` is compared in upper case.
std::optional<DisplayDefinition> builtInDefinition(const std::string& alias);

}  // namespace views
