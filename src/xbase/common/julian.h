#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace xbase {

// Dates inside the engine are Julian day numbers (proleptic Gregorian, 2000-01-01 is
// 2451545); 0 stands for the empty date.
struct Ymd {
  int year = 0;
  int month = 0;
  int day = 0;
};

int32_t julianFromYmd(int year, int month, int day);
Ymd ymdFromJulian(int32_t jdn);
// "YYYYMMDD" as stored in a D field; blanks give 0 (empty); anything else invalid: nullopt.
std::optional<int32_t> julianFromDtos(std::string_view text);
// "YYYYMMDD", or 8 blanks for the empty date.
std::string dtosFromJulian(int32_t jdn);

}  // namespace xbase
