#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"

namespace dnorm {

// What the run keeps of a file's header record ("V", first line).
struct HeaderInfo {
  std::optional<base::Date> date;  // empty when the six characters are no valid date
  std::string version;             // 2 characters as they stand
  std::string currency;            // 3 characters exactly as in the file, blanks included
  std::string supplier;            // the three supplier lines joined by "\r\n", untrimmed
};

// The header date DDMMYY; a two-digit year falls into 1970-2069, an invalid date is empty.
std::optional<base::Date> DNORMDATUM(std::string_view ddmmyy);

// The header's fixed positions (from 1): 3-8 date, 9-48 / 49-88 / 89-123 supplier lines,
// 124-125 version, 126-128 currency. Positions beyond a short line read as empty text.
HeaderInfo parseHeader(std::string_view line);

}  // namespace dnorm
