#include "cli/terminal_port.h"

#include <unistd.h>

#include <iostream>

#include "base/cp1252.h"
#include "cli/terminal_progress.h"

namespace cli {

namespace {

std::string lowered(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

const char* answerName(ui::Answer answer) {
  switch (answer) {
    case ui::Answer::Yes:
      return "Ja";
    case ui::Answer::No:
      return "Nein";
    case ui::Answer::Ok:
      return "OK";
    case ui::Answer::Cancel:
      return "Abbrechen";
  }
  return "";
}

std::vector<ui::Answer> offered(ui::Buttons buttons) {
  switch (buttons) {
    case ui::Buttons::YesNo:
      return {ui::Answer::Yes, ui::Answer::No};
    case ui::Buttons::OkCancel:
      return {ui::Answer::Ok, ui::Answer::Cancel};
    case ui::Buttons::YesNoCancel:
      return {ui::Answer::Yes, ui::Answer::No, ui::Answer::Cancel};
  }
  return {};
}

// A typed reply: the button's name or its first letter, in any case.
std::optional<ui::Answer> parseReply(const std::string& reply, ui::Buttons buttons) {
  std::string r = lowered(reply);
  for (ui::Answer a : offered(buttons)) {
    std::string name = lowered(answerName(a));
    if (r == name || r == name.substr(0, 1)) return a;
  }
  return std::nullopt;
}

void printMessage(const std::string& title, const std::string& text) {
  clearProgressLine();
  std::cerr << "[" << terminalText(title) << "] " << terminalText(text) << std::endl;
}

// The lock dialog on a terminal: its text goes to stderr; only the wait limit ends it.
class TerminalLockView final : public ui::LockView {
 public:
  explicit TerminalLockView(std::string title) : m_title(std::move(title)) {}
  void setText(const std::string& text) override {
    if (!text.empty() && text != m_text) printMessage(m_title, text);
    m_text = text;
  }
  bool cancelled() override { return false; }
  void close() override {}

 private:
  std::string m_title;
  std::string m_text;
};

}  // namespace

std::string terminalText(const std::string& ansi) {
  std::string text;
  for (size_t i = 0; i < ansi.size(); ++i) {
    if (ansi[i] != '\r') {
      text += ansi[i];
    } else if (i + 1 >= ansi.size() || ansi[i + 1] != '\n') {
      text += '\n';
    }
  }
  return base::utf8FromAnsi(text);
}

TerminalPort::TerminalPort(Answers answers)
    : m_answers(answers), m_interactive(::isatty(STDIN_FILENO)) {}

TerminalPort::~TerminalPort() = default;

void TerminalPort::showMessage(ui::MessageKind, const std::string& title, const std::string& text) {
  printMessage(title, text);
  m_lastMessage = terminalText(text);
}

void TerminalPort::pumpEvents() {
  if (std::shared_ptr<TickSource> ticks = m_ticks.lock()) ticks->pump();
}

ui::Answer TerminalPort::ask(ui::Buttons buttons, ui::Answer defaultAnswer,
                             const std::string& title, const std::string& text) {
  printMessage(title, text);
  std::vector<ui::Answer> choices = offered(buttons);
  ui::Answer answer = defaultAnswer;
  if (m_answers == Answers::AllYes) {
    answer = choices.front();
  } else if (m_answers == Answers::AllNo) {
    answer = choices[1];
  } else {
    std::string prompt;
    for (ui::Answer a : choices) prompt += std::string(prompt.empty() ? "" : "/") + answerName(a);
    prompt += std::string(" (Enter: ") + answerName(defaultAnswer) + ")? ";
    while (std::optional<std::string> reply = readLine(prompt)) {
      if (reply->empty()) break;
      if (std::optional<ui::Answer> parsed = parseReply(*reply, buttons)) {
        answer = *parsed;
        break;
      }
    }
  }
  std::cerr << "> " << answerName(answer) << std::endl;
  return answer;
}

void TerminalPort::showWaitMessage(const std::string& text) {
  if (m_waitMessage != text) {
    clearProgressLine();
    std::cerr << terminalText(text) << std::endl;
  }
  m_waitMessage = text;
}

std::optional<std::string> TerminalPort::readLine(const std::string& prompt) {
  if (!m_interactive) return std::nullopt;
  std::cerr << prompt << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  return line;
}

std::optional<std::filesystem::path> TerminalPort::chooseFile(
    const std::string& title, const std::filesystem::path& startFolder,
    const std::vector<ui::FileFilter>& filters) {
  if (m_presetFile) return m_presetFile;
  std::string patterns;
  for (const ui::FileFilter& f : filters) patterns += (patterns.empty() ? "" : ";") + f.pattern;
  printMessage(title,
               base::ansi("Datei in ") + base::ansi(startFolder.string()) + " (" + patterns + ")");
  std::optional<std::string> line = readLine("Datei (Enter: Abbruch)? ");
  if (!line || line->empty()) return std::nullopt;
  return startFolder / *line;
}

std::optional<std::filesystem::path> TerminalPort::chooseFolder(
    const std::string& title, const std::filesystem::path& startFolder) {
  printMessage(title, base::ansi("Ordner in ") + base::ansi(startFolder.string()));
  std::optional<std::string> line = readLine("Ordner (Enter: Abbruch)? ");
  if (!line || line->empty()) return std::nullopt;
  return startFolder / *line;
}

std::unique_ptr<ui::ProgressView> TerminalPort::openProgress(const std::string& dialog,
                                                             const std::string&) {
  auto ticks = std::make_shared<TickSource>();
  m_ticks = ticks;
  return openTerminalProgress(dialog, ::isatty(STDOUT_FILENO), std::move(ticks));
}

std::unique_ptr<ui::LockView> TerminalPort::openLockDialog(const std::string& title,
                                                           const std::string& text) {
  auto view = std::make_unique<TerminalLockView>(title);
  view->setText(text);
  return view;
}

}  // namespace cli
