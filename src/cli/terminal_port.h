#pragma once

#include <optional>
#include <string>

#include "ui/port.h"

namespace cli {

// The user-interface port on a terminal. Every message box goes to stderr as
// "[title] text" in UTF-8. Questions are answered as `answers` says: all Yes, all No, or
// asked on the terminal when stdin is one, else with the question's default button. A
// progress view draws a bar on stdout when stdout is a terminal and nothing otherwise.
class TerminalPort final : public ui::Port {
 public:
  enum class Answers { Ask, AllYes, AllNo };

  explicit TerminalPort(Answers answers);

  void showMessage(ui::MessageKind kind, const std::string& title,
                   const std::string& text) override;
  ui::Answer ask(ui::Buttons buttons, ui::Answer defaultAnswer, const std::string& title,
                 const std::string& text) override;
  void showWaitMessage(const std::string& text) override;
  void endWaitMessage() override { m_waitMessage.reset(); }
  void pumpEvents() override {}
  void setWaitCursor(bool) override {}
  std::optional<std::filesystem::path> chooseFile(
      const std::string& title, const std::filesystem::path& startFolder,
      const std::vector<ui::FileFilter>& filters) override;
  std::optional<std::filesystem::path> chooseFolder(
      const std::string& title, const std::filesystem::path& startFolder) override;
  std::unique_ptr<ui::ProgressView> openProgress(const std::string& dialog,
                                                 const std::string& title) override;
  std::unique_ptr<ui::LockView> openLockDialog(const std::string& title,
                                               const std::string& text) override;

 private:
  // A line typed on the terminal after `prompt`; nullopt without a terminal or at its end.
  std::optional<std::string> readLine(const std::string& prompt);

  Answers m_answers;
  bool m_interactive;
  std::optional<std::string> m_waitMessage;
};

// A Windows-1252 text as the terminal shows it: UTF-8, every "\r\n" or lone "\r" a line end.
std::string terminalText(const std::string& ansi);

}  // namespace cli
