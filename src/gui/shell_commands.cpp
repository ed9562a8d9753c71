#include "gui/shell_commands.h"

#include <QString>

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/ini_file.h"
#include "gui/desktop_programs.h"
#include "gui/help_viewer.h"
#include "gui/widget_text.h"
#include "ui/port.h"
#include "xbase/common/file.h"

namespace gui {

namespace {

constexpr const char* kDocumentation = "QMT Datanorm.pdf";
constexpr const char* kHelpFile = "Datanorm.hlp";
constexpr const char* kErrorFile = "ERROR.LOG";
constexpr const char* kCalculatorTitle = "Rechner";

const std::vector<QStringList> kCalculators = {
    {"gnome-calculator"}, {"kcalc"}, {"mate-calc"}, {"galculator"}, {"qalculate-gtk"}, {"xcalc"},
};
const std::vector<QStringList> kDateTimeSettings = {
    {"gnome-control-center", "datetime"},
    {"kcmshell6", "kcm_clock"},
    {"kcmshell5", "clock"},
    {"mate-time-admin"},
    {"time-admin"},
};

bool isFile(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec);
}

// The help window, or the help facility's error box when the help file is missing.
void openHelp(HelpViewer::Page page, QWidget* parent) {
  std::filesystem::path file = programFile(kHelpFile);
  if (page != HelpViewer::Page::UsingHelp && !isFile(file)) {
    ui::port().stop("Hilfe",
                    base::ansi("Die Hilfedatei\r\n" + file.string() + "\r\nwurde nicht gefunden."));
    return;
  }
  HelpViewer::open(file, page, parent);
}

}  // namespace

std::filesystem::path programFile(const char* name) {
  return xbase::resolveCaseInsensitive(app::MAINPFAD() + "/" + name);
}

void STARTRECHNER() {
  if (activateWindowTitled(QString::fromLatin1(kCalculatorTitle))) return;
  std::string configured =
      base::readProfileString(app::INIGLOBAL(), "Programme", kCalculatorTitle, "");
  if (!configured.empty() && startCommandLine(qtText(configured))) return;
  startFirstInstalled(kCalculators);
}

bool DOKUMENTATION(QWidget* parent) {
  std::filesystem::path file = programFile(kDocumentation);
  if (isFile(file)) {
    openWithDesktop(file);
    return true;
  }
  ui::port().information(
      "Hinweis", base::ansi("Die Dokumentation ist nicht vefügbar. Stattdessen wird versucht, die "
                            "Hilfe zu öffnen.\r\n" +
                            file.string()));
  HILFEINDEX(parent);
  return true;
}

void HILFEINDEX(QWidget* parent) {
  openHelp(HelpViewer::Page::Contents, parent);
}

void HILFESUCHEN(QWidget* parent) {
  openHelp(HelpViewer::Page::Search, parent);
}

void HILFEUSE(QWidget* parent) {
  openHelp(HelpViewer::Page::UsingHelp, parent);
}

void openErrorFile() {
  std::filesystem::path file = programFile(kErrorFile);
  if (isFile(file)) openWithDesktop(file);
}

void openDateTimeSettings() {
  startFirstInstalled(kDateTimeSettings);
}

}  // namespace gui
