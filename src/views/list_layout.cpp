#include "views/list_layout.h"

#include <algorithm>

#include "util/text_helpers.h"
#include "views/layout_values.h"

namespace views {

namespace {

// "Hoehe" and "Breite" are written right-aligned in this many characters.
constexpr int kFontNumberWidth = 10;

bool blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

ListLayout readListLayout(const std::string& key, const std::string& columnKey) {
  const ListFont defaults;
  ListLayout layout;
  ListFont& font = layout.font;
  font.name = readLayoutText(key, "Name", defaults.name);
  font.height = readLayoutNumber(key, "Hoehe", defaults.height, kFontNumberWidth);
  font.width = readLayoutNumber(key, "Breite", defaults.width, kFontNumberWidth);
  font.bold = readLayoutFlag(key, "Bold", defaults.bold);
  font.italic = readLayoutFlag(key, "Italic", defaults.italic);
  font.underline = readLayoutFlag(key, "UnderLine", defaults.underline);
  font.strikeOut = readLayoutFlag(key, "StrikeOut", defaults.strikeOut);
  layout.columns = readLayoutText(key, columnKey, "");
  return layout;
}

int fontRequestPixels(int points, int dpi) {
  long product = static_cast<long>(points) * dpi;
  long rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
  return static_cast<int>(-rounded);
}

std::vector<int> columnWidths(const std::string& stored, size_t count, int fill) {
  std::vector<int> widths;
  for (int n = 1;; ++n) {
    std::string piece = util::INITOKEN(stored, n);
    if (blank(piece)) break;
    widths.push_back(std::clamp(layoutNumber(piece), kMinColumnWidth, kMaxColumnWidth));
  }
  widths.resize(count, fill);
  return widths;
}

void storeColumnWidths(const std::string& key, const std::string& columnKey,
                       const std::vector<int>& widths) {
  std::string text;
  for (int width : widths) {
    if (!text.empty()) text += ',';
    text += std::to_string(width);
  }
  writeLayoutText(key, columnKey, text);
}

}  // namespace views
