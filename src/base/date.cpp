#include "base/date.h"

#include <cstdio>
#include <vector>

namespace base {

namespace {

constexpr int kTwoDigitYearWindowStart = 1970;

struct Ymd {
  int year;
  unsigned month;
  unsigned day;
};

Ymd ymdOf(Date date) {
  std::chrono::year_month_day ymd{date};
  return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
          static_cast<unsigned>(ymd.day())};
}

}  // namespace

std::optional<Date> parseDate(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    size_t dot = text.find('.', start);
    parts.push_back(text.substr(start, dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  // Day and month: one or two digits; year: two or four.
  if (parts.size() != 3 || parts[0].empty() || parts[0].size() > 2 || parts[1].empty() ||
      parts[1].size() > 2 || (parts[2].size() != 2 && parts[2].size() != 4)) {
    return std::nullopt;
  }
  int numbers[3];
  for (int i = 0; i < 3; ++i) {
    numbers[i] = 0;
    for (char c : parts[i]) {
      if (c < '0' || c > '9') return std::nullopt;
      numbers[i] = numbers[i] * 10 + (c - '0');
    }
  }
  int year = numbers[2];
  if (parts[2].size() == 2) {
    year += kTwoDigitYearWindowStart / 100 * 100;
    if (year < kTwoDigitYearWindowStart) year += 100;
  }
  std::chrono::year_month_day ymd{std::chrono::year{year},
                                  std::chrono::month{static_cast<unsigned>(numbers[1])},
                                  std::chrono::day{static_cast<unsigned>(numbers[0])}};
  if (!ymd.ok()) return std::nullopt;
  return Date{ymd};
}

std::string formatDate(Date date) {
  Ymd d = ymdOf(date);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u.%02u.%04d", d.day, d.month, d.year);
  return buf;
}

std::string dtos(Date date) {
  Ymd d = ymdOf(date);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02u%02u", d.year, d.month, d.day);
  return buf;
}

}  // namespace base
