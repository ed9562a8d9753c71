#include "gui/list_report.h"

#include <gtest/gtest.h>

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextItem>

#include "browser_fixture.h"
#include "gui/record_list_model.h"

namespace {

// A paint device that keeps the texts painted on it, in order, instead of pixels.
class TextRecorder : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &m_engine; }
  const QStringList& texts() const { return m_engine.texts; }
  void mark(const QString& text) { m_engine.texts.push_back(text); }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return 800;
      case PdmHeight:
        return 1100;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      default:
        return QPaintDevice::metric(metric);
    }
  }

 private:
  struct Engine : QPaintEngine {
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawLines(const QLineF*, int) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override {
      texts.push_back(item.text());
    }
    Type type() const override { return User; }
    QStringList texts;
  };
  mutable Engine m_engine;
};

class ListReportTest : public browsertest::BrowserTest {
 protected:
  ListReportTest() {
    tables::NETOPEN("DNORMRAB");
    views::RowCallback row;
    std::vector<std::string> headers;
    std::vector<bool> aligns;
    views::displayColumns("DNORMRAB", row, headers, aligns);
    m_model = std::make_unique<gui::RecordListModel>("DNORMRAB", row, headers, aligns);
    m_report.title = QStringLiteral("Rabattgruppen bearbeiten");
    m_report.headers = {"Rabattgruppe", "Beschreibung", "Multiplikator"};
    m_report.rightAligned = {false, false, true};
    m_report.columnWidths = {60, 200, 80};
    m_report.forEachRow = [this](const std::function<void(const QStringList&)>& visit) {
      m_model->forEachRecord(visit);
    };
  }

  std::unique_ptr<gui::RecordListModel> m_model;
  gui::ListReport m_report;
};

TEST_F(ListReportTest, EveryRecordIsPrintedOnceUnderTitleAndHeadersOfItsPage) {
  TextRecorder device;
  QPainter painter(&device);
  int breaks = 0;
  // A page just high enough for the title, the headers and two rows.
  int line = painter.fontMetrics().height();
  QRect page(0, 0, 700, line * 6);
  int pages = gui::paintListReport(painter, page, m_report, [&] {
    device.mark(QStringLiteral("--"));
    return ++breaks < 10;
  });
  painter.end();
  EXPECT_EQ(pages, breaks + 1);
  ASSERT_GE(pages, 2);

  // Split the painted texts into pages; each begins with title, page number and headers.
  std::vector<QStringList> printed(1);
  for (const QString& t : device.texts()) {
    if (t == QStringLiteral("--"))
      printed.emplace_back();
    else
      printed.back().push_back(t);
  }
  QStringList rows;
  for (size_t p = 0; p < printed.size(); ++p) {
    const QStringList& texts = printed[p];
    ASSERT_GE(texts.size(), 5) << p;
    EXPECT_EQ(texts.mid(0, 5), (QStringList{m_report.title, QStringLiteral("Seite %1").arg(p + 1),
                                            "Rabattgruppe", "Beschreibung", "Multiplikator"}));
    ASSERT_EQ(texts.size() % 3, 2) << p;
    for (qsizetype i = 5; i < texts.size(); i += 3) rows.push_back(texts.mid(i, 3).join('|'));
  }
  // The deleted group 0815 is not printed; every other one once, in index order.
  EXPECT_EQ(rows, (QStringList{"R1|Rabattgruppe 1|0.8500", "R10|Rabattgruppe 10|0.7000",
                               "R1A|Rabattgruppe 1a|0.8250", "R2|Rabattgruppe 2|1.0000",
                               QString::fromUtf8("ÄX01|Sonderrabatt Ärzte|0.5500")}));
}

TEST_F(ListReportTest, PrintsToPdfAndPreviews) {
  testsupport::TempDir out;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((out / "liste.pdf").string()));
  gui::printListReport(printer, m_report);
  std::string pdf = testsupport::readFile(out / "liste.pdf");
  ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
  size_t pages = 0;
  for (size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
       at = pdf.find("/Type /Page\n", at + 1))
    ++pages;
  EXPECT_EQ(pages, 1u);

  int previewPages = 0;
  browsertest::onNextDialog([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), m_report.title);
    if (auto* preview = w->findChild<QPrintPreviewWidget*>()) previewPages = preview->pageCount();
    w->close();
  });
  gui::previewListReport(nullptr, m_report);
  EXPECT_EQ(previewPages, 1);
}

}  // namespace
