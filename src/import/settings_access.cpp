#include "import/settings_access.h"

#include <variant>

#include "settings/cache.h"

namespace dnorm {

bool settingOn(int n) {
  return std::get<bool>(settings::GETVORFELD(n));
}

double settingNumber(int n) {
  return std::get<base::Decimal>(settings::GETVORFELD(n)).value;
}

int settingChoice(int n) {
  return static_cast<int>(settingNumber(n));
}

std::string settingText(int n) {
  return std::get<std::string>(settings::GETVORFELD(n));
}

}  // namespace dnorm
