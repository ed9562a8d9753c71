#pragma once

#include <QPointer>
#include <string>

#include "gui/template_dialog.h"
#include "views/display_definition.h"

class QMenu;
class QTableView;

namespace gui {

class RecordListModel;

// The table browser (DB_EDIT) over the table open under `table`, which is the current table:
// the record list in index order with the columns of the display definition, the buttons
// "&Ändern", "&Neu", "&Löschen" and "&Schließen", the record editors on double-click, the
// pop-up menu with "&Drucken" and "&Schließen". It restores the size, font and column widths
// stored for "EditTabelle:<TABLE>" and stores them again when it closes.
class TableBrowser : public TemplateDialog {
  Q_OBJECT
 public:
  TableBrowser(const std::string& table, const std::string& title, views::RowCallback row,
               const std::vector<std::string>& headers, const std::vector<bool>& aligns,
               QWidget* parent = nullptr);

  QTableView* list() const { return m_list; }
  RecordListModel* model() const { return m_model; }
  const std::string& windowKey() const { return m_windowKey; }

  // What the buttons do, on the list's current row.
  void editCurrent();
  void addRecord();
  void deleteCurrent();
  // The pop-up menu's entries, and its "&Drucken": the print preview of all records.
  QMenu* createPopupMenu();
  void printPreview();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void done(int result) override;

 private:
  void setUpButtons();
  void edit(bool isNew);
  void selectRow(int row);
  void showPopupMenu(const QPoint& globalPosition);
  void restoreSize();
  void alignControls();

  std::string m_table;
  std::string m_title;
  std::string m_windowKey;
  RecordListModel* m_model;
  QTableView* m_list;
  QPointer<QMenu> m_popup;
  bool m_restored = false;
};

// Shows the browser for the table modally: opens it shared (an open table is reused), shows
// it with `title` (default "Datenbank: <TABLE> bearbeiten") and closes it afterwards, also
// when it had been open before, making the table current before it current again. False
// when the name is empty or the table cannot be opened.
bool EDITTABELLE(QWidget* parent, const std::string& table, const std::string& title = {});

// The browser of one of the program's tables: 1 main product groups, 3 discount groups,
// 4 error log, 5 error texts, 6 article protocol; other kinds do nothing. Returns true.
bool NORMANZEIGE(QWidget* parent, int kind);

}  // namespace gui
