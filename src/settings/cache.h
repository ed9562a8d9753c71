#pragma once

#include "settings/storage.h"

namespace settings {

// The settings cache every part of the system reads settings from.
// With `reload` the cache is first filled anew from the global INI file (GETVOREIN). With
// n of 0 or less the result is `reload` (so GETVORFELD(0, true) reloads and gives true, and
// GETVORFELD() does nothing and gives false); otherwise it is setting n from the cache.
// Reading a setting before the cache is loaded, or n above 21, throws std::out_of_range.
Value GETVORFELD(int n = 0, bool reload = false);

}  // namespace settings
