#include "import/record_fields.h"

#include "base/decimal.h"

namespace dnorm {

std::string fieldOf(std::string_view text, int n, char separator) {
  text = text.substr(0, text.find('\0'));
  size_t pos = 0;
  for (int field = 1;; ++field) {
    if (pos < text.size() && text[pos] == separator) ++pos;
    size_t start = pos;
    while (pos < text.size() && text[pos] != separator) ++pos;
    if (field >= n) return std::string(text.substr(start, pos - start));
    if (pos >= text.size()) return {};
  }
}

std::string XTEXT(int n, std::string_view line) {
  return fieldOf(line, n, ';');
}

std::string padCut(std::string_view text, size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string_view trimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view trimRight(std::string_view text) {
  size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool isBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

double numberOf(std::string_view text) {
  return base::leadingNumber(text).value;
}

}  // namespace dnorm
