#include "gui/browser_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QTableView>
#include <QTimer>

#include "gui/record_list_model.h"
#include "gui/table_browser.h"

namespace gui {

namespace {

// Time for the window system to map and paint a window before it is photographed.
constexpr int kSettleMs = 600;
constexpr int kProductGroups = 1;
constexpr int kDiscountGroups = 3;
constexpr QSize kPreviewSize(900, 560);

void save(QWidget* widget, const QString& folder, const QString& name) {
  if (widget) widget->grab().save(QDir(folder).filePath(name));
}

// Runs `action` on the modal window in front once it has had time to appear.
void onModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(kSettleMs, [action = std::move(action)] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

// The group browser, then the print preview its pop-up menu opens.
void photographGroupBrowser(QWidget* owner, const QString& folder) {
  onModal([folder](QWidget* w) {
    auto* browser = qobject_cast<TableBrowser*>(w);
    save(browser, folder, QStringLiteral("group_browser.png"));
    onModal([folder](QWidget* preview) {
      // Large enough, and the page as wide as the window, for the text to be read.
      preview->resize(kPreviewSize);
      if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) pages->fitToWidth();
      QTimer::singleShot(kSettleMs, preview, [folder, preview] {
        save(preview, folder, QStringLiteral("print_preview.png"));
        preview->close();
      });
    });
    if (browser) browser->printPreview();
    w->close();
  });
  NORMANZEIGE(owner, kProductGroups);
}

// The discount-group editor over the second discount group.
void photographDiscountEditor(QWidget* owner, const QString& folder) {
  onModal([folder](QWidget* w) {
    auto* browser = qobject_cast<TableBrowser*>(w);
    onModal([folder](QWidget* editor) {
      save(editor, folder, QStringLiteral("discount_editor.png"));
      editor->close();
    });
    if (browser) {
      browser->list()->setCurrentIndex(browser->model()->index(1, 0));
      browser->editCurrent();
    }
    w->close();
  });
  NORMANZEIGE(owner, kDiscountGroups);
}

}  // namespace

void startBrowserScreenshots(QWidget* owner, const QString& folder) {
  QDir().mkpath(folder);
  QTimer::singleShot(kSettleMs, owner, [owner, folder] {
    photographGroupBrowser(owner, folder);
    photographDiscountEditor(owner, folder);
    QCoreApplication::exit(0);
  });
}

}  // namespace gui
