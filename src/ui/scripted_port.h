#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/port.h"

namespace ui {

// What a ScriptedPort was told to show.
struct Message {
  enum class Kind { Information, Alert, Stop, YesNo, OkCancel, YesNoCancel, WaitMessage };
  Kind kind;
  std::string title;
  std::string text;
  std::optional<Answer> defaultAnswer;  // questions only
  bool operator==(const Message&) const = default;
};

struct ProgressRecord {
  std::string dialog;
  std::string title;
  std::map<int, std::string> texts;
  std::map<int, bool> visible;
  std::map<int, long> meterTotal;
  std::map<int, long> meterPosition;
  std::function<void()> onTick;  // set while ticks run
  bool closed = false;
  int abortAtPoll = 0;  // the poll of takeAbortRequest() that reports an abort; 0: none
  int polls = 0;
  // Runs the tick action, as the one-second timer would.
  void tick() {
    if (onTick) onTick();
  }
};

struct LockRecord {
  std::string title;
  std::vector<std::string> texts;  // every text shown, the first one included
  bool closed = false;
  int cancelAtPoll = 0;  // the poll of cancelled() from which on it is true; 0: never
  int polls = 0;
};

struct ChoiceRecord {
  std::string title;
  std::filesystem::path startFolder;
  std::vector<FileFilter> filters;  // empty for a folder choice
};

// Thrown (by default) when the core asks something the test did not script.
class ScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The port for tests. Questions and file choices are answered from queues the test fills
// beforehand; anything asked that was not scripted fails the test. Every message is
// recorded with its kind, title and text. Progress and lock views are recorded too and are
// quiet by default: they never report an abort unless told to.
class ScriptedPort final : public Port {
 public:
  // Queues the answer to the next question. With `textPart`, that question's text must
  // contain it.
  void answer(Answer reply, std::string textPart = {});
  // Queues "Enter" for the next question: its default button.
  void answerDefault(std::string textPart = {});
  // Queues the outcome of the next file or folder choice (nullopt: cancelled).
  void answerFile(std::optional<std::filesystem::path> file);
  void answerFolder(std::optional<std::filesystem::path> folder);
  // The next progress view reports an abort at its n-th poll; the next lock dialog is
  // cancelled at its n-th poll.
  void abortNextProgressAtPoll(int n) { m_abortAtPoll = n; }
  void cancelNextLockAtPoll(int n) { m_cancelAtPoll = n; }
  // Runs at every pumpEvents(), e.g. to let another process give up a lock.
  void setOnPump(std::function<void()> onPump) { m_onPump = std::move(onPump); }
  // Replaces the default reaction to an unscripted question (throwing ScriptError), e.g.
  // with one that calls ADD_FAILURE(); the question then gets its default button.
  void setFailureHandler(std::function<void(const std::string&)> handler) {
    m_onFailure = std::move(handler);
  }

  const std::vector<Message>& messages() const { return m_messages; }
  const std::vector<std::shared_ptr<ProgressRecord>>& progressViews() const { return m_progress; }
  const std::vector<std::shared_ptr<LockRecord>>& lockDialogs() const { return m_locks; }
  const std::vector<ChoiceRecord>& choices() const { return m_choices; }
  const std::optional<std::string>& waitMessage() const { return m_waitMessage; }
  bool waitCursor() const { return m_waitCursor; }
  int pumpCount() const { return m_pumps; }
  // Scripted answers nobody asked for.
  size_t unusedAnswers() const { return m_answers.size() + m_files.size() + m_folders.size(); }

  void showMessage(MessageKind kind, const std::string& title, const std::string& text) override;
  Answer ask(Buttons buttons, Answer defaultAnswer, const std::string& title,
             const std::string& text) override;
  void showWaitMessage(const std::string& text) override;
  void endWaitMessage() override { m_waitMessage.reset(); }
  void pumpEvents() override;
  void setWaitCursor(bool on) override { m_waitCursor = on; }
  std::optional<std::filesystem::path> chooseFile(const std::string& title,
                                                  const std::filesystem::path& startFolder,
                                                  const std::vector<FileFilter>& filters) override;
  std::optional<std::filesystem::path> chooseFolder(
      const std::string& title, const std::filesystem::path& startFolder) override;
  std::unique_ptr<ProgressView> openProgress(const std::string& dialog,
                                             const std::string& title) override;
  std::unique_ptr<LockView> openLockDialog(const std::string& title,
                                           const std::string& text) override;

 private:
  struct Reply {
    std::optional<Answer> answer;  // nullopt: the default button
    std::string textPart;
  };
  using PathQueue = std::deque<std::optional<std::filesystem::path>>;

  void fail(const std::string& what);
  std::optional<std::filesystem::path> takePath(PathQueue& queue, const std::string& what,
                                                ChoiceRecord choice);

  std::deque<Reply> m_answers;
  PathQueue m_files;
  PathQueue m_folders;
  std::vector<Message> m_messages;
  std::vector<std::shared_ptr<ProgressRecord>> m_progress;
  std::vector<std::shared_ptr<LockRecord>> m_locks;
  std::vector<ChoiceRecord> m_choices;
  std::optional<std::string> m_waitMessage;
  bool m_waitCursor = false;
  int m_pumps = 0;
  int m_abortAtPoll = 0;
  int m_cancelAtPoll = 0;
  std::function<void()> m_onPump;
  std::function<void(const std::string&)> m_onFailure;
};

}  // namespace ui
