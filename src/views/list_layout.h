#pragma once

#include <string>
#include <vector>

namespace views {

// The font of a list as the layout stores it. Sizes are in points with the sign of the
// platform's font request: a positive pixel request asks for the cell height, a negative
// one for the character height; "Hoehe" -12 asks for a cell 16 pixels high at 96 dpi.
struct ListFont {
  std::string name = "Arial";
  int height = -12;  // "Hoehe"
  int width = 0;     // "Breite": average character width, 0 = the face's own
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const ListFont&) const = default;
};

// What a list keeps per window key: its font and the stored column widths (the text under
// the column key, empty when none are stored).
struct ListLayout {
  ListFont font;
  std::string columns;
};

// Reads the font entries and the column key of the window key's section, with the defaults
// written back as layout values are.
ListLayout readListLayout(const std::string& key, const std::string& columnKey);

// A size in points turned into the pixel request of the font: -(points * dpi / 72), rounded
// to the nearest pixel.
int fontRequestPixels(int points, int dpi);

// Stored column widths are kept within these pixels.
constexpr int kMinColumnWidth = 5;
constexpr int kMaxColumnWidth = 600;

// The stored widths fitted to a list of `count` columns: the comma-separated pieces in order
// up to the first empty one (blanks only is empty), each as a number clamped to 5..600 (no
// number: 0, so 5); missing positions get `fill`, surplus widths are dropped.
std::vector<int> columnWidths(const std::string& stored, size_t count, int fill);

// COLBREITE's part without a list: the widths as decimal integers joined by commas.
void storeColumnWidths(const std::string& key, const std::string& columnKey,
                       const std::vector<int>& widths);

}  // namespace views
