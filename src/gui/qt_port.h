#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <functional>

#include "gui/wait_message.h"
#include "ui/port.h"

namespace gui {

// The user-interface port of the desktop program: message boxes, the wait note, file and
// folder choice, progress and lock dialogs as widgets, the event pump of the GUI thread.
class QtPort final : public ui::Port {
 public:
  // Shows a prepared message box and returns the button chosen. The program runs it
  // modally; tests hand in their own to look at the box instead.
  using BoxRunner = std::function<QMessageBox::StandardButton(QMessageBox&)>;
  static QMessageBox::StandardButton runModally(QMessageBox& box);

  explicit QtPort(BoxRunner runBox = runModally);

  // The window that owns boxes and dialogs while no other window of the program is active
  // (the main window).
  void setOwner(QWidget* owner) { m_owner = owner; }

  void showMessage(ui::MessageKind kind, const std::string& title,
                   const std::string& text) override;
  ui::Answer ask(ui::Buttons buttons, ui::Answer defaultAnswer, const std::string& title,
                 const std::string& text) override;
  void showWaitMessage(const std::string& text) override;
  void endWaitMessage() override;
  // Serves pending events, but at most every kPumpIntervalMs: the core calls it once per
  // imported line, and what the user sees is the same.
  void pumpEvents() override;
  void setWaitCursor(bool on) override;
  std::optional<std::filesystem::path> chooseFile(
      const std::string& title, const std::filesystem::path& startFolder,
      const std::vector<ui::FileFilter>& filters) override;
  std::optional<std::filesystem::path> chooseFolder(
      const std::string& title, const std::filesystem::path& startFolder) override;
  std::unique_ptr<ui::ProgressView> openProgress(const std::string& dialog,
                                                 const std::string& title) override;
  std::unique_ptr<ui::LockView> openLockDialog(const std::string& title,
                                               const std::string& text) override;

  const WaitMessage& waitMessage() const { return m_waitMessage; }

  static constexpr int kPumpIntervalMs = 15;

 private:
  QWidget* dialogParent() const;

  BoxRunner m_runBox;
  QPointer<QWidget> m_owner;
  WaitMessage m_waitMessage;
  QElapsedTimer m_sincePump;
  bool m_waitCursor = false;
};

}  // namespace gui
