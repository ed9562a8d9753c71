#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dnorm {

// Fills the fill-ins of an insert text (runs of "$") with values separated by "$": as many
// values as `values` holds "$" characters, each padded or cut to its fill-in's width.
std::string EINFUEGEN(const std::string& insertText, const std::string& values);
// Replaces the first fill-in of the text by the value; false when there is none.
bool LTEREPLACE(std::string& text, std::string_view value);
// Number of leading characters of the text equal to `c`.
size_t COUNTFOLLOW(std::string_view text, char c);
// Number of occurrences of `c` in the text.
size_t COUNTCHAR(std::string_view text, char c);

}  // namespace dnorm
