#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/version.h"
#include "gui/artwork.h"
#include "gui/document_area.h"
#include "gui/import_commands.h"
#include "gui/message_bar.h"
#include "gui/settings_dialog.h"
#include "gui/shell_commands.h"
#include "gui/version_dialogs.h"
#include "ui/port.h"

namespace gui {

namespace {

// Restored, the window takes this square at the top-left corner of the screen.
constexpr int kRestoredSize = 641;
constexpr int kButtonSize = 60;
constexpr int kButtonGap = 8;
constexpr int kBitmapSize = 48;

// Kinds of the import, browser and deletion commands.
constexpr int kProductGroups = 1;
constexpr int kDiscountGroups = 3;
constexpr int kErrorLog = 4;
constexpr int kErrorTexts = 5;
constexpr int kProtocol = 6;
constexpr int kAllImportedData = 7;

// One menu item; an item without text is a separator line.
struct MenuItem {
  const char* text = nullptr;
  const char* hint = nullptr;
  std::function<void()> action;
};

QAction* addItem(QMenu* menu, const MenuItem& item) {
  if (!item.text) return menu->addSeparator();
  QAction* action = menu->addAction(QString::fromUtf8(item.text));
  action->setStatusTip(QString::fromUtf8(item.hint));
  QObject::connect(action, &QAction::triggered, menu, item.action);
  return action;
}

}  // namespace

MainWindow::MainWindow(CommandTable commands, QWidget* parent)
    : QMainWindow(parent),
      m_commands(std::move(commands)),
      m_documentArea(new DocumentArea(this)),
      m_messageBar(new MessageBar(openDateTimeSettings, this)),
      m_buttonBar(new QToolBar(this)) {
  setWindowTitle(QString::fromStdString("QMT DATANORM " + app::MAINVERSION()));
  setWindowIcon(applicationIcon());
  setGeometry(0, 0, kRestoredSize, kRestoredSize);
  setCentralWidget(m_documentArea);
  setStatusBar(m_messageBar);
  buildMenus();
  buildButtonBar();
}

void MainWindow::openSettings() {
  EINDATEN(this, false, [this] { runCommand(m_commands.browse, kProductGroups); });
}

void MainWindow::buildMenus() {
  const CommandTable& c = m_commands;
  auto imports = [&c](int kind) { return [&c, kind] { runCommand(c.import, kind); }; };
  auto browser = [&c](int kind) { return [&c, kind] { runCommand(c.browse, kind); }; };
  auto erase = [&c](int kind) { return [&c, kind] { runCommand(c.erase, kind); }; };
  const MenuItem separator;

  const std::vector<std::pair<const char*, std::vector<MenuItem>>> menus = {
      {"&Datei",
       {
           {"&Voreinstellungen", "Allgemeine Voreinstellungen festlegen",
            [this] { openSettings(); }},
           separator,
           {"&Hauptwarengruppen einlesen", "Hauptwarengruppen einlesen", imports(kProductGroups)},
           {"&Rabattgruppen einlesen", "Rabattgruppen einlesen", imports(kDiscountGroups)},
           separator,
           {"&Datenpflege und -import", "Datenpflege und -import",
            [this] { DATENPFLEGE(this, m_commands); }},
           {"&Preispflege", "Geänderte Preis einlesen", [this] { PREISPFLEGE(this, m_commands); }},
           separator,
           {"Be&enden", "Programm beenden mit Sicherheitsabfrage", [this] { close(); }},
       }},
      {"&Bearbeiten",
       {
           {"&Hauptwarengruppen",
            "Hauptwarengruppen bearbeiten, um einzelne Gruppen vom Import aus-/einzuschließen",
            browser(kProductGroups)},
           {"&Rabattgruppen", "Rabattgruppen ansehen und bearbeiten", browser(kDiscountGroups)},
           separator,
           {"Fehler&texte", "Fehlertexte ansehen", browser(kErrorTexts)},
           {"&Fehlerprotokoll", "Fehlerprotokoll ansehen", browser(kErrorLog)},
           {"&Protokoll", "Artikel-Protokoll der Löschungen und Nr.-Änderungen ansehen",
            browser(kProtocol)},
       }},
      {"&Löschen",
       {
           {"&Hauptwarengruppen", "Hauptwarengruppen löschen", erase(kProductGroups)},
           {"&Rabattgruppen", "Rabattgruppen löschen", erase(kDiscountGroups)},
           separator,
           {"&Fehlerprotokoll", "Fehlerprotokoll löschen", erase(kErrorLog)},
           {"&Protokoll", "Artikel-Protokoll löschen", erase(kProtocol)},
           separator,
           {"&Alle Löschen", "Alle löschen", erase(kAllImportedData)},
       }},
      {"D&ienste",
       {
           {"&Reorganisation", "alle Datenbanken reorganisieren",
            [&c] { runCommand(c.reorganise); }},
           {"&Datenbankstruktur", "Test und evtl. Anpassen der Datenbankstrukturen",
            [&c] { runCommand(c.checkStructure); }},
       }},
      {"&Hilfe",
       {
           {"&Dokumentation", "Dokumentation (PDF) öffnen", [this] { DOKUMENTATION(this); }},
           {"&Neuerungen", "Versionsinfo mit Neuerungen anzeigen", [this] { VERSIONINFO(this); }},
           separator,
           {"&Inhalt", "Hilfe Inhaltsverzeichnis zeigen", [this] { HILFEINDEX(this); }},
           {"&Suchen", "Nach bestimmten Begriffen suchen", [this] { HILFESUCHEN(this); }},
           {"&Hilfe benutzen", "Hilfe zur Benutzung der Hilfe-Funktionen",
            [this] { HILFEUSE(this); }},
           separator,
           {"&Fehlerdatei", "Fehlerdatei: error.log mit dem Editor öffnen", openErrorFile},
           {"Inf&o", "Info über QMT MOVARIS und Systemresourcen", [this] { MAININFO(this); }},
       }},
  };
  for (const auto& [title, items] : menus) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
    for (const MenuItem& item : items) addItem(menu, item);
  }
}

void MainWindow::buildButtonBar() {
  struct Button {
    const char* bitmap;
    const char* hint;
    const char* tooltip;
    bool gapBefore;
    std::function<void()> action;
  };
  const Button buttons[] = {
      {"GEAR_48", "Voreinstellungen", "Voreinstellungen", false, [this] { openSettings(); }},
      {"DOWNLOAD_48", "Datenpflege oder -import", "Datenpflege oder -import", true,
       [this] { DATENPFLEGE(this, m_commands); }},
      {"DOC_TEXT_48", "Dokumentation (PDF) öffnen", "Dokumentation", true,
       [this] { DOKUMENTATION(this); }},
      {"CLOSE_48", "Programm beenden", "Programm beenden", false, [this] { close(); }},
      {"CALC_48", "Taschenrechner starten", "Taschenrechner starten", true, STARTRECHNER},
  };

  m_buttonBar->setObjectName(QStringLiteral("buttonBar"));
  m_buttonBar->setMovable(false);
  m_buttonBar->setFloatable(false);
  m_buttonBar->setIconSize(QSize(kBitmapSize, kBitmapSize));
  m_buttonBar->setStyleSheet(
      QStringLiteral("QToolBar#buttonBar { border: none; spacing: 0px; padding: 2px;"
                     " background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,"
                     " stop: 0 #fbfbfb, stop: 1 #aebccb); }"));
  for (const Button& b : buttons) {
    if (b.gapBefore) {
      auto* gap = new QWidget(m_buttonBar);
      gap->setFixedWidth(kButtonGap);
      m_buttonBar->addWidget(gap);
    }
    QAction* action = m_buttonBar->addAction(bitmap(b.bitmap), QString());
    action->setToolTip(QString::fromUtf8(b.tooltip));
    action->setStatusTip(QString::fromUtf8(b.hint));
    connect(action, &QAction::triggered, this, b.action);
    m_buttonBar->widgetForAction(action)->setFixedSize(kButtonSize, kButtonSize);
  }
  addToolBar(Qt::TopToolBarArea, m_buttonBar);
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    m_messageBar->showHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ui::port().question("QMT DATANORM 2018", "Programm beenden?")) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace gui
