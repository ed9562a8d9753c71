#include "xbase/common/julian.h"

#include <chrono>
#include <cstdio>

namespace xbase {

namespace {
// Julian day number of 1970-01-01, the epoch of std::chrono::sys_days.
constexpr int32_t kUnixEpochJdn = 2440588;
}  // namespace

int32_t julianFromYmd(int year, int month, int day) {
  using namespace std::chrono;
  sys_days d{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
             std::chrono::day{static_cast<unsigned>(day)}};
  return static_cast<int32_t>(d.time_since_epoch().count()) + kUnixEpochJdn;
}

Ymd ymdFromJulian(int32_t jdn) {
  using namespace std::chrono;
  year_month_day ymd{sys_days{days{jdn - kUnixEpochJdn}}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<int32_t> julianFromDtos(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return 0;
  if (text.size() != 8) return std::nullopt;
  int v[8];
  for (int i = 0; i < 8; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    v[i] = text[i] - '0';
  }
  int y = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
  int m = v[4] * 10 + v[5];
  int d = v[6] * 10 + v[7];
  using namespace std::chrono;
  year_month_day ymd{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                     std::chrono::day{static_cast<unsigned>(d)}};
  if (!ymd.ok()) return std::nullopt;
  return julianFromYmd(y, m, d);
}

std::string dtosFromJulian(int32_t jdn) {
  if (jdn == 0) return std::string(8, ' ');
  Ymd d = ymdFromJulian(jdn);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year % 10000, d.month, d.day);
  return buf;
}

}  // namespace xbase
