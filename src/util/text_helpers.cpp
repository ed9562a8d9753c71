#include "util/text_helpers.h"

#include <cstdio>

namespace util {

std::vector<std::string> TEXTTOARRAY(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    size_t brk = text.find("\r\n", start);
    lines.emplace_back(text.substr(start, brk - start));
    if (brk == std::string_view::npos) return lines;
    start = brk + 2;
  }
}

std::string INITOKEN(std::string_view text, int n, std::string_view fallback) {
  if (n < 1) return std::string(fallback);
  if (!text.empty() && text.front() == ',') text.remove_prefix(1);
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) return std::string(fallback);
    start = comma + 1;
  }
  std::string_view token = text.substr(start, text.find(',', start) - start);
  return std::string(token.empty() ? fallback : token);
}

std::string TODIGIT(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

std::string JANEIN(bool flag) {
  return flag ? "ja" : "nein";
}

std::string JN(bool flag) {
  return flag ? "J" : "N";
}

std::string STERNCHEN(bool flag) {
  return flag ? "*" : " ";
}

std::string secondsToTime(long seconds) {
  // Unsigned arithmetic, so that even the most negative count has an absolute value.
  unsigned long rest =
      seconds < 0 ? 0UL - static_cast<unsigned long>(seconds) : static_cast<unsigned long>(seconds);
  char text[48];
  std::snprintf(text, sizeof text, "%s%02lu:%02lu:%02lu", seconds < 0 ? "-" : "", rest / 3600,
                rest / 60 % 60, rest % 60);
  return text;
}

}  // namespace util
