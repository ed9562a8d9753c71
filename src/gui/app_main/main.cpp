#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <string>

#include "app/paths.h"
#include "app/startup.h"
#include "gui/browser_screenshots.h"
#include "gui/error_log.h"
#include "gui/guarded_application.h"
#include "gui/main_window.h"
#include "gui/program_commands.h"
#include "gui/qt_port.h"
#include "gui/screenshot_tour.h"
#include "tables/table_startup.h"
#include "ui/port.h"

namespace {

// artikimp [WORKSTATION] [--screenshots FOLDER] [--browser-screenshots FOLDER]
//          [--progress-screenshot DATANORM-FILE FOLDER]
struct Arguments {
  std::string workstation;
  QString screenshotFolder;
  QString browserScreenshotFolder;
  QString progressScreenshotFile;
  QString progressScreenshotFolder;
};

Arguments parseArguments(const QStringList& arguments) {
  Arguments result;
  bool haveWorkstation = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--screenshots") && i + 1 < arguments.size()) {
      result.screenshotFolder = arguments[++i];
    } else if (arguments[i] == QLatin1String("--browser-screenshots") && i + 1 < arguments.size()) {
      result.browserScreenshotFolder = arguments[++i];
    } else if (arguments[i] == QLatin1String("--progress-screenshot") && i + 2 < arguments.size()) {
      result.progressScreenshotFile = arguments[++i];
      result.progressScreenshotFolder = arguments[++i];
    } else if (!haveWorkstation) {
      result.workstation = arguments[i].toStdString();
      haveWorkstation = true;
    }
  }
  return result;
}

// Qt's own texts (Ja, Nein, Abbrechen, the file dialog) in German.
void installGermanTexts(QApplication& application) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_de"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace

int main(int argc, char** argv) {
  gui::setErrorLogFolder(app::programDirectory());
  gui::installCrashHandlers();
  gui::GuardedApplication application(argc, argv);
  installGermanTexts(application);
  Arguments arguments = parseArguments(QApplication::arguments());

  gui::QtPort port;
  ui::PortScope portScope(port);
  std::unique_ptr<gui::MainWindow> window;
  gui::CommandTable commands = gui::programCommands([&window] { return window.get(); });

  app::StartupHooks hooks;
  tables::setStartupHooks(hooks);
  hooks.showMainWindow = [&] {
    window = std::make_unique<gui::MainWindow>(commands);
    port.setOwner(window.get());
    window->showMaximized();
    QCoreApplication::processEvents();
  };
  app::startUp(arguments.workstation, hooks);

  if (!arguments.screenshotFolder.isEmpty()) {
    gui::startScreenshotTour(*window, arguments.screenshotFolder);
  }
  if (!arguments.browserScreenshotFolder.isEmpty()) {
    gui::startBrowserScreenshots(window.get(), arguments.browserScreenshotFolder);
  }
  if (!arguments.progressScreenshotFolder.isEmpty()) {
    gui::startProgressScreenshot(*window, arguments.progressScreenshotFile,
                                 arguments.progressScreenshotFolder);
  }
  return application.exec();
}
