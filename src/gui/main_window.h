#pragma once

#include <QMainWindow>

#include "gui/command_table.h"

class QMenu;
class QToolBar;

namespace gui {

class DocumentArea;
class MessageBar;

// The program's frame window: menu bar, button bar, document area with the logo, message
// bar with date and clock. Every way of closing it asks "Programm beenden?" first.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(CommandTable commands = {}, QWidget* parent = nullptr);

  MessageBar* messageBar() const { return m_messageBar; }
  DocumentArea* documentArea() const { return m_documentArea; }
  QToolBar* buttonBar() const { return m_buttonBar; }

 protected:
  // Hints of menu items and buttons go to the message bar, centred.
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A right-click on the button bar or the menu bar does nothing.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  void buildMenus();
  void buildButtonBar();
  void openSettings();

  CommandTable m_commands;
  DocumentArea* m_documentArea;
  MessageBar* m_messageBar;
  QToolBar* m_buttonBar;
};

}  // namespace gui
