#include "ui/scripted_port.h"

#include <utility>

namespace ui {

namespace {

class ScriptedProgressView final : public ProgressView {
 public:
  explicit ScriptedProgressView(std::shared_ptr<ProgressRecord> record)
      : m_record(std::move(record)) {}
  ~ScriptedProgressView() override { close(); }

  void setText(int id, const std::string& text) override { m_record->texts[id] = text; }
  void setVisible(int id, bool visible) override { m_record->visible[id] = visible; }
  void setMeterTotal(int id, long total) override { m_record->meterTotal[id] = total; }
  void setMeterPosition(int id, long position) override { m_record->meterPosition[id] = position; }
  void startTicks(std::function<void()> onTick) override { m_record->onTick = std::move(onTick); }
  void stopTicks() override { m_record->onTick = nullptr; }
  bool takeAbortRequest() override { return ++m_record->polls == m_record->abortAtPoll; }
  void close() override {
    stopTicks();
    m_record->closed = true;
  }

 private:
  std::shared_ptr<ProgressRecord> m_record;
};

class ScriptedLockView final : public LockView {
 public:
  explicit ScriptedLockView(std::shared_ptr<LockRecord> record) : m_record(std::move(record)) {}
  ~ScriptedLockView() override { close(); }

  void setText(const std::string& text) override { m_record->texts.push_back(text); }
  bool cancelled() override {
    ++m_record->polls;
    return m_record->cancelAtPoll > 0 && m_record->polls >= m_record->cancelAtPoll;
  }
  void close() override { m_record->closed = true; }

 private:
  std::shared_ptr<LockRecord> m_record;
};

Message::Kind kindOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return Message::Kind::Information;
    case MessageKind::Alert:
      return Message::Kind::Alert;
    case MessageKind::Stop:
      return Message::Kind::Stop;
  }
  return Message::Kind::Information;
}

Message::Kind kindOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::YesNo:
      return Message::Kind::YesNo;
    case Buttons::OkCancel:
      return Message::Kind::OkCancel;
    case Buttons::YesNoCancel:
      return Message::Kind::YesNoCancel;
  }
  return Message::Kind::YesNo;
}

bool offers(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::YesNo:
      return answer == Answer::Yes || answer == Answer::No;
    case Buttons::OkCancel:
      return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNoCancel:
      return answer != Answer::Ok;
  }
  return false;
}

}  // namespace

void ScriptedPort::answer(Answer reply, std::string textPart) {
  m_answers.push_back({reply, std::move(textPart)});
}

void ScriptedPort::answerDefault(std::string textPart) {
  m_answers.push_back({std::nullopt, std::move(textPart)});
}

void ScriptedPort::answerFile(std::optional<std::filesystem::path> file) {
  m_files.push_back(std::move(file));
}

void ScriptedPort::answerFolder(std::optional<std::filesystem::path> folder) {
  m_folders.push_back(std::move(folder));
}

void ScriptedPort::fail(const std::string& what) {
  if (m_onFailure) {
    m_onFailure(what);
    return;
  }
  throw ScriptError(what);
}

void ScriptedPort::showMessage(MessageKind kind, const std::string& title,
                               const std::string& text) {
  m_messages.push_back({kindOf(kind), title, text, std::nullopt});
}

Answer ScriptedPort::ask(Buttons buttons, Answer defaultAnswer, const std::string& title,
                         const std::string& text) {
  m_messages.push_back({kindOf(buttons), title, text, defaultAnswer});
  if (m_answers.empty()) {
    fail("unexpected question \"" + title + "\": \"" + text + "\"");
    return defaultAnswer;
  }
  Reply reply = m_answers.front();
  m_answers.pop_front();
  if (text.find(reply.textPart) == std::string::npos) {
    fail("question \"" + text + "\" does not contain \"" + reply.textPart + "\"");
    return defaultAnswer;
  }
  Answer chosen = reply.answer.value_or(defaultAnswer);
  if (!offers(buttons, chosen)) {
    fail("scripted answer " + std::to_string(static_cast<int>(chosen)) +
         " is no button of question \"" + text + "\"");
    return defaultAnswer;
  }
  return chosen;
}

void ScriptedPort::showWaitMessage(const std::string& text) {
  m_messages.push_back({Message::Kind::WaitMessage, "", text, std::nullopt});
  m_waitMessage = text;
}

void ScriptedPort::pumpEvents() {
  ++m_pumps;
  if (m_onPump) m_onPump();
}

std::optional<std::filesystem::path> ScriptedPort::takePath(PathQueue& queue,
                                                            const std::string& what,
                                                            ChoiceRecord choice) {
  m_choices.push_back(std::move(choice));
  if (queue.empty()) {
    fail("unexpected " + what + " \"" + m_choices.back().title + "\"");
    return std::nullopt;
  }
  auto path = queue.front();
  queue.pop_front();
  return path;
}

std::optional<std::filesystem::path> ScriptedPort::chooseFile(
    const std::string& title, const std::filesystem::path& startFolder,
    const std::vector<FileFilter>& filters) {
  return takePath(m_files, "file choice", {title, startFolder, filters});
}

std::optional<std::filesystem::path> ScriptedPort::chooseFolder(
    const std::string& title, const std::filesystem::path& startFolder) {
  return takePath(m_folders, "folder choice", {title, startFolder, {}});
}

std::unique_ptr<ProgressView> ScriptedPort::openProgress(const std::string& dialog,
                                                         const std::string& title) {
  auto record = std::make_shared<ProgressRecord>();
  record->dialog = dialog;
  record->title = title;
  record->abortAtPoll = std::exchange(m_abortAtPoll, 0);
  m_progress.push_back(record);
  return std::make_unique<ScriptedProgressView>(record);
}

std::unique_ptr<LockView> ScriptedPort::openLockDialog(const std::string& title,
                                                       const std::string& text) {
  auto record = std::make_shared<LockRecord>();
  record->title = title;
  record->texts.push_back(text);
  record->cancelAtPoll = std::exchange(m_cancelAtPoll, 0);
  m_locks.push_back(record);
  return std::make_unique<ScriptedLockView>(record);
}

}  // namespace ui
