#pragma once

#include <functional>

namespace tables {

// The dialog "Satz konnte nicht gesperrt werden": shows "Versuche, den Datensatz zu sperren"
// and calls `tryLock` again and again, pumping events between the attempts, until it
// succeeds (true) or the user presses "Abbruch" (false). The layer's wait limit, when set,
// ends it like "Abbruch".
bool lockInDialog(const std::function<bool()>& tryLock);

}  // namespace tables
