#include "import/insert_text.h"

#include <algorithm>

#include "import/record_fields.h"

namespace dnorm {

namespace {
constexpr char kFillIn = '$';
}  // namespace

size_t COUNTFOLLOW(std::string_view text, char c) {
  size_t n = 0;
  while (n < text.size() && text[n] == c) ++n;
  return n;
}

size_t COUNTCHAR(std::string_view text, char c) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

bool LTEREPLACE(std::string& text, std::string_view value) {
  size_t at = text.find(kFillIn);
  if (at == std::string::npos) return false;
  size_t width = COUNTFOLLOW(std::string_view(text).substr(at), kFillIn);
  text.replace(at, width, padCut(value, width));
  return true;
}

std::string EINFUEGEN(const std::string& insertText, const std::string& values) {
  if (insertText.empty()) return {};
  std::string text = insertText;
  size_t count = COUNTCHAR(values, kFillIn);
  for (size_t k = 1; k <= count; ++k) {
    if (!LTEREPLACE(text, fieldOf(values, static_cast<int>(k), kFillIn))) break;
  }
  return text;
}

}  // namespace dnorm
