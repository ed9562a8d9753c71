#include "gui/table_browser.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTableView>

#include "base/cp1252.h"
#include "gui/browser_templates.h"
#include "gui/dialog_controls.h"
#include "gui/list_layout_qt.h"
#include "gui/list_report.h"
#include "gui/record_editors.h"
#include "gui/record_list_model.h"
#include "gui/widget_text.h"
#include "gui/window_align.h"
#include "tables/net.h"
#include "tables/table_helpers.h"
#include "views/window_layout.h"

namespace gui {

namespace {

constexpr int kEdit = 121;
constexpr int kNew = 122;
constexpr int kDelete = 123;
constexpr int kOk = 111;
constexpr int kClose = 110;
// Buttons keep this many pixels from the bottom edge, the list as many from the buttons.
constexpr int kGap = 5;
// The browser can be made this small, no smaller.
constexpr QSize kMinimumSize(160, 120);
const char* const kColumnKey = "SPALTEN";

}  // namespace

TableBrowser::TableBrowser(const std::string& table, const std::string& title,
                           views::RowCallback row, const std::vector<std::string>& headers,
                           const std::vector<bool>& aligns, QWidget* parent)
    : TemplateDialog(templates::DB_EDIT(), parent),
      m_table(base::upperAnsi(table)),
      m_title(title),
      m_windowKey("EditTabelle:" + m_table),
      m_model(new RecordListModel(m_table, std::move(row), headers, aligns, this)),
      m_list(new QTableView(this)) {
  setWindowTitle(qtText(title));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  setMinimumSize(kMinimumSize);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setSizeGripEnabled(true);

  const templates::TemplateRect& r = templates::kBrowserList;
  m_list->setObjectName(QString::number(templates::kBrowserListId));
  m_list->setGeometry(units().rect(r.x, r.y, r.w, r.h));
  m_list->setModel(m_model);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setWordWrap(false);
  m_list->setTabKeyNavigation(false);
  m_list->verticalHeader()->hide();
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_list, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { showPopupMenu(m_list->viewport()->mapToGlobal(at)); });
  connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { editCurrent(); });
  SCHRIFTAUSINIT(*m_list, m_windowKey, kColumnKey);

  setUpButtons();
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this, this, &QDialog::reject);
  setTabOrder(m_list, control(kEdit));
  m_list->setFocus();
  selectRow(0);
}

void TableBrowser::setUpButtons() {
  onClick(kEdit, [this] { editCurrent(); });
  onClick(kNew, [this] { addRecord(); });
  onClick(kDelete, [this] { deleteCurrent(); });
  onClick(kOk, [this] { accept(); });
  onClick(kClose, [this] { reject(); });
  CTRLSHOWHIDE(*this, {kOk}, true);
  if (m_table == "DNORMERR" || m_table == "DNORMPRO") CTRLSHOWHIDE(*this, {kEdit, kNew}, true);
  if (m_table == "DNORMERT") CTRLDISEN(*this, {kNew, kDelete}, true);
}

void TableBrowser::selectRow(int row) {
  if (row < 0 || row >= m_model->rowCount()) return;
  QModelIndex index = m_model->index(row, 0);
  m_list->setCurrentIndex(index);
  m_list->scrollTo(index);
}

void TableBrowser::editCurrent() {
  edit(false);
}

void TableBrowser::addRecord() {
  edit(true);
}

void TableBrowser::edit(bool isNew) {
  if (!isNew && !m_model->selectRecord(m_list->currentIndex().row())) return;
  if (!editRecord(this, m_table, m_title, isNew)) return;
  m_model->reload();
  selectRow(m_model->rowOfCurrent());
}

void TableBrowser::deleteCurrent() {
  int row = m_list->currentIndex().row();
  if (!m_model->selectRecord(row)) return;
  tables::ZEILELOESCHEN(m_table, [this, row] {
    bool pastLast = tables::current()->eof();
    m_model->dropIfDeleted(row);
    selectRow(pastLast ? m_model->rowCount() - 1 : m_model->rowOfCurrent());
  });
}

QMenu* TableBrowser::createPopupMenu() {
  auto* menu = new QMenu(this);
  // The actions run once the menu has closed, not inside its event loop.
  QAction* print = menu->addAction(QStringLiteral("&Drucken"));
  print->setStatusTip(QStringLiteral("Liste drucken"));
  connect(print, &QAction::triggered, this, &TableBrowser::printPreview, Qt::QueuedConnection);
  menu->addSeparator();
  QAction* close = menu->addAction(QStringLiteral("&Schließen\tStrg+F4"));
  close->setStatusTip(QStringLiteral("Fenster schließen"));
  connect(close, &QAction::triggered, this, &QDialog::reject, Qt::QueuedConnection);
  // A pop-up menu is a window of its own, so its hints would stop there: they go to the
  // message bar of the window the browser belongs to.
  connect(menu, &QMenu::hovered, this, [this](QAction* action) {
    if (QWidget* owner = parentWidget()) {
      QStatusTipEvent hint(action->statusTip());
      QCoreApplication::sendEvent(owner->window(), &hint);
    }
  });
  return menu;
}

void TableBrowser::showPopupMenu(const QPoint& globalPosition) {
  if (m_popup) return;
  m_popup = createPopupMenu();
  m_popup->setAttribute(Qt::WA_DeleteOnClose);
  m_popup->exec(globalPosition);
}

void TableBrowser::contextMenuEvent(QContextMenuEvent* event) {
  showPopupMenu(event->globalPos());
}

void TableBrowser::printPreview() {
  ListReport report;
  report.title = windowTitle();
  const QHeaderView* header = m_list->horizontalHeader();
  for (int c = 0; c < m_model->columnCount(); ++c) {
    report.headers.push_back(m_model->headerData(c, Qt::Horizontal).toString());
    report.rightAligned.push_back(m_model->rightAligned(c));
    report.columnWidths.push_back(header->sectionSize(c));
  }
  report.forEachRow = [this](const std::function<void(const QStringList&)>& visit) {
    m_model->forEachRecord(visit);
  };
  previewListReport(this, report);
}

void TableBrowser::showEvent(QShowEvent* event) {
  TemplateDialog::showEvent(event);
  if (m_restored) return;
  m_restored = true;
  restoreSize();
}

void TableBrowser::restoreSize() {
  views::WindowRect stored = views::LOADWINDOW(m_windowKey);
  if (stored.bottom > stored.top && stored.right > stored.left) {
    WNDALIGNCE(this, nullptr, stored.right - stored.left + 1, stored.bottom - stored.top + 1);
  } else {
    WNDALIGNCE(this);
  }
}

void TableBrowser::resizeEvent(QResizeEvent* event) {
  TemplateDialog::resizeEvent(event);
  alignControls();
}

void TableBrowser::alignControls() {
  for (int id : {kClose, kOk, kEdit, kNew, kDelete})
    WNDALIGNBO(GETITEMDLG(*this, id).widget(), kGap);
  WNDALIGNCL(m_list, nullptr, GETITEMDLG(*this, kClose).widget(), nullptr, nullptr, 0, 0, 0, kGap);
}

void TableBrowser::done(int result) {
  SAVEWINDOW(*this, m_windowKey);
  COLBREITE(*m_list, m_windowKey, kColumnKey);
  TemplateDialog::done(result);
}

bool EDITTABELLE(QWidget* parent, const std::string& table, const std::string& title) {
  if (table.empty()) return false;
  std::string name = base::upperAnsi(table);
  std::string previous = tables::currentAlias();
  if (!tables::NETOPEN(name)) return false;
  tables::select(name);
  views::RowCallback row;
  std::vector<std::string> headers;
  std::vector<bool> aligns;
  views::displayColumns(name, row, headers, aligns);
  {
    TableBrowser browser(name, title.empty() ? "Datenbank: " + name + " bearbeiten" : title,
                         std::move(row), headers, aligns, parent);
    browser.exec();
  }
  tables::NETCLOSE(name);
  tables::select(previous);
  return true;
}

bool NORMANZEIGE(QWidget* parent, int kind) {
  struct Browser {
    int kind;
    const char* table;
    const char* title;  // UTF-8
  };
  static const Browser kBrowsers[] = {
      {1, "DNORMWGR", "Hauptwarengruppen bearbeiten"},
      {3, "DNORMRAB", "Rabattgruppen bearbeiten"},
      {4, "DNORMERR", "Fehlerprotokoll ansehen"},
      {5, "DNORMERT", "Fehlertexte ansehen"},
      {6, "DNORMPRO", "Artikel-Löschprotokoll ansehen und drucken"},
  };
  for (const Browser& b : kBrowsers)
    if (b.kind == kind) EDITTABELLE(parent, b.table, base::ansi(b.title));
  return true;
}

}  // namespace gui
