#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// A calendar date. Day arithmetic is std::chrono's: date + std::chrono::days{n}, and the
// difference of two dates is a count of days.
using Date = std::chrono::sys_days;

// A date as the user types it: "dd.mm.yyyy" (day and month may have one digit). A year of
// two digits falls into 1970-2069, so "03.11.98" is 1998 and "03.11.05" is 2005. Blanks
// around the text are ignored; an empty, malformed or impossible date gives nullopt.
std::optional<Date> parseDate(std::string_view text);
// "dd.mm.yyyy".
std::string formatDate(Date date);
// "yyyymmdd", the sortable form of xBase DTOS().
std::string dtos(Date date);

}  // namespace base
