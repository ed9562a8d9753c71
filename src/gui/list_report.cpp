#include "gui/list_report.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <numeric>

namespace gui {

namespace {

constexpr double kTitlePoints = 12;
constexpr double kBodyPoints = 9;
// Lists wider than this on screen are printed across the page.
constexpr int kLandscapeFromPixels = 700;

// Paints rows one after the other and starts a new page, with title and headers, whenever
// the next row would not fit.
class ReportPainter {
 public:
  ReportPainter(QPainter& painter, const QRect& page, const ListReport& report,
                const std::function<bool()>& newPage)
      : m_painter(painter), m_page(page), m_report(report), m_newPage(newPage) {
    m_titleFont = QFont(QStringLiteral("Arial"));
    m_titleFont.setPointSizeF(kTitlePoints);
    m_titleFont.setBold(true);
    m_bodyFont = QFont(QStringLiteral("Arial"));
    m_bodyFont.setPointSizeF(kBodyPoints);
    m_headerFont = m_bodyFont;
    m_headerFont.setBold(true);
    m_painter.setFont(m_bodyFont);
    m_lineHeight = m_painter.fontMetrics().height() * 6 / 5;
    m_padding = m_painter.fontMetrics().averageCharWidth() / 2;
    layOutColumns();
    startPage();
  }

  void row(const QStringList& texts) {
    if (m_full) return;
    if (m_y + m_lineHeight > m_page.bottom() + 1) {
      if (!m_newPage()) {
        m_full = true;
        return;
      }
      startPage();
    }
    paintLine(texts, m_bodyFont);
  }

  int pages() const { return m_pages; }

 private:
  void layOutColumns() {
    size_t count = static_cast<size_t>(m_report.headers.size());
    std::vector<int> widths = m_report.columnWidths;
    widths.resize(count, 0);
    long total = std::accumulate(widths.begin(), widths.end(), 0L);
    int x = m_page.left();
    for (size_t c = 0; c < count; ++c) {
      int width = total > 0
                      ? static_cast<int>(widths[c] * static_cast<long>(m_page.width()) / total)
                      : m_page.width() / static_cast<int>(count);
      m_columns.emplace_back(x, width);
      x += width;
    }
  }

  void startPage() {
    ++m_pages;
    m_y = m_page.top();
    m_painter.setFont(m_titleFont);
    int titleHeight = m_painter.fontMetrics().height();
    QRect titleLine(m_page.left(), m_y, m_page.width(), titleHeight);
    m_painter.drawText(titleLine, Qt::AlignLeft | Qt::AlignVCenter, m_report.title);
    m_painter.setFont(m_bodyFont);
    m_painter.drawText(titleLine, Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("Seite %1").arg(m_pages));
    m_y += titleHeight * 3 / 2;
    paintLine(m_report.headers, m_headerFont);
    m_painter.drawLine(m_page.left(), m_y, m_page.right(), m_y);
    m_y += m_lineHeight / 4;
  }

  void paintLine(const QStringList& texts, const QFont& font) {
    m_painter.setFont(font);
    QFontMetrics metrics = m_painter.fontMetrics();
    for (size_t c = 0; c < m_columns.size(); ++c) {
      auto [x, width] = m_columns[c];
      QRect cell(x + m_padding, m_y, width - 2 * m_padding, m_lineHeight);
      int i = static_cast<int>(c);
      QString text = i < texts.size() ? texts[i] : QString();
      bool right = c < m_report.rightAligned.size() && m_report.rightAligned[c];
      m_painter.drawText(cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                         metrics.elidedText(text, Qt::ElideRight, cell.width()));
    }
    m_y += m_lineHeight;
  }

  QPainter& m_painter;
  QRect m_page;
  const ListReport& m_report;
  const std::function<bool()>& m_newPage;
  QFont m_titleFont, m_headerFont, m_bodyFont;
  std::vector<std::pair<int, int>> m_columns;  // left edge and width
  int m_lineHeight = 0;
  int m_padding = 0;
  int m_y = 0;
  int m_pages = 0;
  bool m_full = false;
};

}  // namespace

int paintListReport(QPainter& painter, const QRect& page, const ListReport& report,
                    const std::function<bool()>& newPage) {
  ReportPainter paint(painter, page, report, newPage);
  if (report.forEachRow)
    report.forEachRow([&paint](const QStringList& texts) { paint.row(texts); });
  return paint.pages();
}

void printListReport(QPrinter& printer, const ListReport& report) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  paintListReport(painter, page, report, [&printer] { return printer.newPage(); });
  painter.end();
}

void previewListReport(QWidget* parent, const ListReport& report) {
  QPrinter printer;
  int width = std::accumulate(report.columnWidths.begin(), report.columnWidths.end(), 0);
  printer.setPageOrientation(width > kLandscapeFromPixels ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
  printer.setDocName(report.title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(report.title);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&report](QPrinter* target) { printListReport(*target, report); });
  preview.exec();
}

}  // namespace gui
