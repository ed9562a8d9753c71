#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The way the core talks to the person. The desktop program implements it with widgets,
// the terminal program on a terminal, tests with a ScriptedPort. All texts are
// Windows-1252; a line break inside a text is "\r\n" (or "\r" where a text says so).

enum class MessageKind { Information, Alert, Stop };

enum class Buttons { YesNo, OkCancel, YesNoCancel };

// Numbered like the Windows message-box results the callers pass on.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileFilter {
  std::string description;  // "Datanorm-Dateien (*.001)"
  std::string pattern;      // "*.001"; several separated by ';'
};

// A dialog that stays open while a long run goes on: the import progress dialog, the
// reorganisation bar, a progress bar on a terminal. Controls are addressed by the numeric
// ids of the dialog's template; a view ignores ids it does not show.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void setText(int id, const std::string& text) = 0;
  virtual void setVisible(int id, bool visible) = 0;
  virtual void setMeterTotal(int id, long total) = 0;
  virtual void setMeterPosition(int id, long position) = 0;
  // Calls `onTick` about once a second while events are pumped; a tick that falls due
  // while the previous one is still running is dropped.
  virtual void startTicks(std::function<void()> onTick) = 0;
  virtual void stopTicks() = 0;
  // True once for every press of the abort button or the close box since the last call.
  // What an abort means (a question first, or not) is the caller's business.
  virtual bool takeAbortRequest() = 0;
  virtual void close() = 0;
};

// The small dialog shown while a record lock is retried: a text and an abort button.
class LockView {
 public:
  virtual ~LockView() = default;
  virtual void setText(const std::string& text) = 0;
  // True once the user has pressed abort, Escape or the close box.
  virtual bool cancelled() = 0;
  virtual void close() = 0;
};

class Port {
 public:
  virtual ~Port() = default;

  // An OK box of the given kind.
  virtual void showMessage(MessageKind kind, const std::string& title, const std::string& text) = 0;
  // A question box with the question icon; returns the button chosen. `defaultAnswer` is
  // the button that Enter chooses.
  virtual Answer ask(Buttons buttons, Answer defaultAnswer, const std::string& title,
                     const std::string& text) = 0;

  // The non-modal wait note: shows it (or changes its text when it is already shown).
  virtual void showWaitMessage(const std::string& text) = 0;
  virtual void endWaitMessage() = 0;

  // Lets the user interface serve what is pending (repaints, timers, abort buttons).
  virtual void pumpEvents() = 0;
  virtual void setWaitCursor(bool on) = 0;

  // nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> chooseFile(
      const std::string& title, const std::filesystem::path& startFolder,
      const std::vector<FileFilter>& filters) = 0;
  virtual std::optional<std::filesystem::path> chooseFolder(
      const std::string& title, const std::filesystem::path& startFolder) = 0;

  // `dialog` names the dialog template ("DATEN_EINLESEN", "LAUFBALKEN").
  virtual std::unique_ptr<ProgressView> openProgress(const std::string& dialog,
                                                     const std::string& title) = 0;
  virtual std::unique_ptr<LockView> openLockDialog(const std::string& title,
                                                   const std::string& text) = 0;

  void information(const std::string& title, const std::string& text) {
    showMessage(MessageKind::Information, title, text);
  }
  void alert(const std::string& title, const std::string& text) {
    showMessage(MessageKind::Alert, title, text);
  }
  void stop(const std::string& title, const std::string& text) {
    showMessage(MessageKind::Stop, title, text);
  }
  // Yes/No question; true for Yes. Yes is the default button unless `noIsDefault`
  // (destructive questions).
  bool question(const std::string& title, const std::string& text, bool noIsDefault = false) {
    return ask(Buttons::YesNo, noIsDefault ? Answer::No : Answer::Yes, title, text) == Answer::Yes;
  }
};

// The process-wide port, installed by the front end (or a test) with a PortScope. Using it
// while none is installed is a programming error: std::logic_error.
Port& port();

class PortScope {
 public:
  explicit PortScope(Port& port);
  ~PortScope();
  PortScope(const PortScope&) = delete;
  PortScope& operator=(const PortScope&) = delete;

 private:
  Port* m_previous;
};

}  // namespace ui
