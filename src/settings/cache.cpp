#include "settings/cache.h"

#include <stdexcept>
#include <string>

namespace settings {

Value GETVORFELD(int n, bool reload) {
  static std::vector<Value> cache;
  if (reload) cache = GETVOREIN();
  if (n <= 0) return reload;
  if (static_cast<size_t>(n) > cache.size()) {
    throw std::out_of_range(
        "setting " + std::to_string(n) +
        " is not in the settings cache (loaded: " + std::to_string(cache.size()) + ")");
  }
  return cache[static_cast<size_t>(n) - 1];
}

}  // namespace settings
