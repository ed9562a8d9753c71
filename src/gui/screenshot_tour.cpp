#include "gui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "gui/main_window.h"

namespace gui {

namespace {

// Time for the window system to map and paint a window before it is photographed.
constexpr int kSettleMs = 600;

void save(QWidget* widget, const QString& folder, const QString& name) {
  if (widget) widget->grab().save(QDir(folder).filePath(name));
}

// Photographs the dialog that the menu item opens, then closes it.
void photographDialog(MainWindow& window, const QString& item, const QString& folder,
                      const QString& name) {
  QTimer::singleShot(kSettleMs, [folder, name] {
    QWidget* dialog = QApplication::activeModalWidget();
    save(dialog, folder, name);
    if (dialog) dialog->close();
  });
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->text() == item) {
      action->trigger();
      return;
    }
  }
}

}  // namespace

void startScreenshotTour(MainWindow& window, const QString& folder) {
  QDir().mkpath(folder);
  // Under Xvfb no window manager maximises the window; give it the screen as one would.
  window.setGeometry(window.screen()->availableGeometry());
  QTimer::singleShot(kSettleMs, &window, [&window, folder] {
    save(&window, folder, QStringLiteral("main_window.png"));
    photographDialog(window, QStringLiteral("&Voreinstellungen"), folder,
                     QStringLiteral("settings.png"));
    photographDialog(window, QStringLiteral("Inf&o"), folder, QStringLiteral("info_box.png"));
    QCoreApplication::exit(0);
  });
}

}  // namespace gui
