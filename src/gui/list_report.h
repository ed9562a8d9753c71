#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace gui {

// A list printed as a report: the title and page number on every page, the column headers,
// then one line per row. Columns keep the proportions of the list's column widths, scaled to
// the page width; right-aligned columns stay right-aligned; a text too long for its column is
// cut with an ellipsis.
struct ListReport {
  QString title;
  QStringList headers;
  std::vector<bool> rightAligned;
  std::vector<int> columnWidths;  // on screen, in pixels
  // Hands every row's column texts, in order, to the visitor.
  std::function<void(const std::function<void(const QStringList&)>&)> forEachRow;
};

// Paints the report into `page` (device pixels of the painter's device); `newPage` moves to
// the next page and returns false when there is none. Returns the number of pages painted.
int paintListReport(QPainter& painter, const QRect& page, const ListReport& report,
                    const std::function<bool()>& newPage);

// Prints the report on the printer (a real one, a PDF file or a preview), on as many pages as
// it takes.
void printListReport(QPrinter& printer, const ListReport& report);

// The print preview of the report, from which the user prints it.
void previewListReport(QWidget* parent, const ListReport& report);

}  // namespace gui
