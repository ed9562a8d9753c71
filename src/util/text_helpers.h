#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace util {

// Splits a text at every "\r\n" into its lines. The text after the last line break is
// always the last element, even when empty; a text without one gives one element.
std::vector<std::string> TEXTTOARRAY(std::string_view text);

// Field n (from 1) of a comma-separated text, taken as it stands. One comma at the very
// beginning is skipped. A missing or empty field gives `fallback`:
// INITOKEN("120,80,,45", 3, "60") is "60", INITOKEN(",120,80", 1) is "120".
std::string INITOKEN(std::string_view text, int n, std::string_view fallback = {});

// The digits of the text in their order, everything else removed.
std::string TODIGIT(std::string_view text);

// "ja" / "nein", "J" / "N", "*" / " " for true / false.
std::string JANEIN(bool flag);
std::string JN(bool flag);
std::string STERNCHEN(bool flag);

// Seconds as "hh:mm:ss": at least two hour digits (100:00:00 from 100 hours on), a leading
// "-" for a negative count. 3725 gives "01:02:05", -61 gives "-00:01:01".
std::string secondsToTime(long seconds);

}  // namespace util
