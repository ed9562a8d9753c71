#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "ui/port.h"

namespace cli {

class TickSource;

// The user-interface port on a terminal. Every message box goes to stderr as
// "[title] text" in UTF-8. Questions are answered as `answers` says: all Yes, all No, or
// asked on the terminal when stdin is one, else with the question's default button. A
// progress view draws a bar on stdout when stdout is a terminal and nothing otherwise; its
// one-second ticks come while events are pumped. While the import's progress dialog is open,
// Ctrl-C is its abort button (a second Ctrl-C before the run has seen the first one ends the
// program).
class TerminalPort final : public ui::Port {
 public:
  enum class Answers { Ask, AllYes, AllNo };

  explicit TerminalPort(Answers answers);
  ~TerminalPort() override;

  // The file every file choice returns from now on, as if the user had picked it.
  void presetFile(std::filesystem::path file) { m_presetFile = std::move(file); }
  // The text of the last message box shown, as printed (UTF-8); nullopt before the first.
  const std::optional<std::string>& lastMessage() const { return m_lastMessage; }
  void forgetLastMessage() { m_lastMessage.reset(); }

  void showMessage(ui::MessageKind kind, const std::string& title,
                   const std::string& text) override;
  ui::Answer ask(ui::Buttons buttons, ui::Answer defaultAnswer, const std::string& title,
                 const std::string& text) override;
  void showWaitMessage(const std::string& text) override;
  void endWaitMessage() override { m_waitMessage.reset(); }
  void pumpEvents() override;
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
  std::optional<std::filesystem::path> m_presetFile;
  std::optional<std::string> m_lastMessage;
  std::weak_ptr<TickSource> m_ticks;  // of the progress view open now
};

// A Windows-1252 text as the terminal shows it: UTF-8, every "\r\n" or lone "\r" a line end.
std::string terminalText(const std::string& ansi);

}  // namespace cli
