#include "cli/terminal_port.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>

#include "base/cp1252.h"

namespace cli {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kBarWidth = 30;                                     // characters of the drawn bar
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);  // at most ten frames a second

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
  std::cerr << "[" << terminalText(title) << "] " << terminalText(text) << std::endl;
}

// The progress bar of a terminal: the texts of the dialog in id order and the meter.
class TerminalProgressView final : public ui::ProgressView {
 public:
  explicit TerminalProgressView(bool draw) : m_draw(draw) {}
  ~TerminalProgressView() override { close(); }

  void setText(int id, const std::string& text) override {
    m_texts[id] = terminalText(text);
    redraw(true);
  }
  void setVisible(int, bool) override {}
  void setMeterTotal(int, long total) override {
    m_total = total;
    redraw(true);
  }
  void setMeterPosition(int, long position) override {
    m_position = position;
    redraw(false);
  }
  // A terminal has no event loop to run a timer in; what the ticks update is shown anyway
  // whenever the bar is drawn.
  void startTicks(std::function<void()>) override {}
  void stopTicks() override {}
  bool takeAbortRequest() override { return false; }
  void close() override {
    if (m_drawn) std::cout << std::endl;
    m_drawn = false;
    m_draw = false;
  }

 private:
  void redraw(bool always) {
    if (!m_draw) return;
    auto now = SteadyClock::now();
    if (!always && now - m_lastDraw < kRedrawInterval) return;
    m_lastDraw = now;
    std::string label;
    for (const auto& [id, text] : m_texts) {
      if (text.empty()) continue;
      if (!label.empty()) label += ' ';
      label += text.substr(0, text.find('\n'));
    }
    long percent = m_total > 0 ? std::min(100L, m_position * 100 / m_total) : 0;
    int filled = static_cast<int>(percent * kBarWidth / 100);
    std::cout << "\r\033[K" << label << " [" << std::string(filled, '#')
              << std::string(kBarWidth - filled, ' ') << "] " << percent << "%" << std::flush;
    m_drawn = true;
  }

  bool m_draw;
  bool m_drawn = false;
  std::map<int, std::string> m_texts;
  long m_total = 100;
  long m_position = 0;
  SteadyClock::time_point m_lastDraw{};
};

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

void TerminalPort::showMessage(ui::MessageKind, const std::string& title, const std::string& text) {
  printMessage(title, text);
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
  if (m_waitMessage != text) std::cerr << terminalText(text) << std::endl;
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

std::unique_ptr<ui::ProgressView> TerminalPort::openProgress(const std::string&,
                                                             const std::string&) {
  return std::make_unique<TerminalProgressView>(::isatty(STDOUT_FILENO));
}

std::unique_ptr<ui::LockView> TerminalPort::openLockDialog(const std::string& title,
                                                           const std::string& text) {
  auto view = std::make_unique<TerminalLockView>(title);
  view->setText(text);
  return view;
}

}  // namespace cli
