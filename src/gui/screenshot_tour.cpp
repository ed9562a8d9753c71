#include "gui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "gui/main_window.h"
#include "gui/run_dialog.h"

namespace gui {

namespace {

// Time for the window system to map and paint a window before it is photographed.
constexpr int kSettleMs = 600;
// How often the stand-in user looks at the window in front while a command runs.
constexpr int kUserPollMs = 20;
// How long the progress dialog runs before it is photographed: two ticks of its clock.
constexpr int kProgressShotMs = 2500;

void save(QWidget* widget, const QString& folder, const QString& name) {
  if (widget) widget->grab().save(QDir(folder).filePath(name));
}

// Chooses the menu item with the text as a user does; returns when its command has ended.
void triggerItem(MainWindow& window, const QString& item) {
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->text() == item) {
      action->trigger();
      return;
    }
  }
}

// Photographs the dialog that the menu item opens, then closes it.
void photographDialog(MainWindow& window, const QString& item, const QString& folder,
                      const QString& name) {
  QTimer::singleShot(kSettleMs, [folder, name] {
    QWidget* dialog = QApplication::activeModalWidget();
    save(dialog, folder, name);
    if (dialog) dialog->close();
  });
  triggerItem(window, item);
}

// Confirms a dialog with its default button; one without is closed.
void confirm(QWidget& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->isDefault()) {
      button->click();
      return;
    }
  }
  dialog.close();
}

// Stands in for the user while an import runs, whenever the run lets events through:
// confirms the settings dialog, picks the file, says yes to every question and confirms
// every message; photographs the progress dialog once it has run for kProgressShotMs and
// then closes it by its close box, which asks whether to abort.
class ImportUser {
 public:
  ImportUser(QString file, QString folder) : m_file(std::move(file)), m_folder(std::move(folder)) {
    m_poll.setInterval(kUserPollMs);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { act(); });
    m_poll.start();
  }

  bool photographed() const { return m_photographed; }

 private:
  void act() {
    QWidget* front = QApplication::activeModalWidget();
    if (!front || !front->isVisible()) return;
    if (auto* progress = qobject_cast<RunDialog*>(front)) {
      watch(*progress);
    } else if (auto* files = qobject_cast<QFileDialog*>(front)) {
      files->selectFile(m_file);
      files->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(front);
               box && box->button(QMessageBox::Yes)) {
      box->button(QMessageBox::Yes)->click();
    } else {
      confirm(*front);
    }
  }

  void watch(RunDialog& progress) {
    if (!m_running.isValid()) m_running.start();
    if (m_photographed || m_running.elapsed() < kProgressShotMs) return;
    save(&progress, m_folder, QStringLiteral("progress.png"));
    m_photographed = true;
    progress.close();
  }

  QString m_file;
  QString m_folder;
  QTimer m_poll;
  QElapsedTimer m_running;
  bool m_photographed = false;
};

// Under Xvfb no window manager maximises the window; give it the screen as one would.
void fillScreen(MainWindow& window) {
  window.setGeometry(window.screen()->availableGeometry());
}

}  // namespace

void startScreenshotTour(MainWindow& window, const QString& folder) {
  QDir().mkpath(folder);
  fillScreen(window);
  QTimer::singleShot(kSettleMs, &window, [&window, folder] {
    save(&window, folder, QStringLiteral("main_window.png"));
    photographDialog(window, QStringLiteral("&Voreinstellungen"), folder,
                     QStringLiteral("settings.png"));
    photographDialog(window, QStringLiteral("Inf&o"), folder, QStringLiteral("info_box.png"));
    QCoreApplication::exit(0);
  });
}

void startProgressScreenshot(MainWindow& window, const QString& datanormFile,
                             const QString& folder) {
  QDir().mkpath(folder);
  fillScreen(window);
  QTimer::singleShot(kSettleMs, &window, [&window, datanormFile, folder] {
    ImportUser user(datanormFile, folder);
    triggerItem(window, QStringLiteral("&Datenpflege und -import"));
    QCoreApplication::exit(user.photographed() ? 0 : 1);
  });
}

}  // namespace gui
