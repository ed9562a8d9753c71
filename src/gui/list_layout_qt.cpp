#include "gui/list_layout_qt.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <algorithm>

#include "gui/widget_text.h"
#include "views/window_layout.h"

namespace gui {

namespace {

// Columns of the stored widths beyond those stored, for a list that shows a table.
constexpr int kFillWidth = 100;
// A column fitted to its contents stays within these widths.
constexpr int kMinFittedWidth = 40;
constexpr int kMaxFittedWidth = 300;
constexpr int kMaxStretch = 4000;
// Logical pixels per inch of a standard screen, for a list not yet on any screen.
constexpr int kStandardDpi = 96;

// Cell-height request: the largest pixel size whose line height fits the cell.
void fitCellHeight(QFont& font, int cell) {
  int size = cell;
  do {
    font.setPixelSize(size);
  } while (size-- > 1 && QFontMetrics(font).height() > cell);
}

void fitColumnsToContents(QTableView& list) {
  list.resizeColumnsToContents();
  QHeaderView* header = list.horizontalHeader();
  for (int c = 0; c < header->count(); ++c)
    header->resizeSection(c, std::clamp(header->sectionSize(c), kMinFittedWidth, kMaxFittedWidth));
}

}  // namespace

bool SAVEWINDOW(const QWidget& window, const std::string& key, bool screen) {
  QRect r = window.isWindow() ? window.frameGeometry() : window.geometry();
  const QWidget* parent = window.parentWidget();
  if (window.isWindow() && !screen && parent) r.moveTopLeft(parent->mapFromGlobal(r.topLeft()));
  if (!window.isWindow() && screen && parent) r.moveTopLeft(parent->mapToGlobal(r.topLeft()));
  views::storeWindow(key, {r.top(), r.left(), r.bottom(), r.right()}, window.isMaximized(),
                     window.isMinimized());
  return true;
}

QFont listFont(const views::ListFont& stored, int dpiX, int dpiY) {
  QFont font(qtText(stored.name));
  int height = views::fontRequestPixels(stored.height, dpiY);
  if (height > 0) fitCellHeight(font, height);
  if (height < 0) font.setPixelSize(-height);
  int width = std::abs(views::fontRequestPixels(stored.width, dpiX));
  int average = QFontMetrics(font).averageCharWidth();
  if (width > 0 && average > 0) font.setStretch(std::clamp(100 * width / average, 1, kMaxStretch));
  font.setWeight(stored.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(stored.italic);
  font.setUnderline(stored.underline);
  font.setStrikeOut(stored.strikeOut);
  return font;
}

bool SCHRIFTAUSINIT(QTableView& list, const std::string& key, const std::string& columnKey) {
  views::ListLayout layout = views::readListLayout(key, columnKey);
  QScreen* screen = list.screen();
  int dpiX = screen ? static_cast<int>(screen->logicalDotsPerInchX()) : kStandardDpi;
  int dpiY = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : kStandardDpi;
  list.setFont(listFont(layout.font, dpiX, dpiY));
  list.verticalHeader()->setDefaultSectionSize(list.fontMetrics().height() + 4);
  if (layout.columns.empty()) {
    fitColumnsToContents(list);
    return true;
  }
  QHeaderView* header = list.horizontalHeader();
  header->setMinimumSectionSize(views::kMinColumnWidth);
  std::vector<int> widths =
      views::columnWidths(layout.columns, static_cast<size_t>(header->count()), kFillWidth);
  for (size_t c = 0; c < widths.size(); ++c) header->resizeSection(static_cast<int>(c), widths[c]);
  return true;
}

bool COLBREITE(const QTableView& list, const std::string& key, const std::string& columnKey) {
  const QHeaderView* header = list.horizontalHeader();
  std::vector<int> widths;
  for (int c = 0; c < header->count(); ++c) widths.push_back(header->sectionSize(c));
  views::storeColumnWidths(key, columnKey, widths);
  return true;
}

}  // namespace gui
