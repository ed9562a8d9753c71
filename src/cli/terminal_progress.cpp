#include "cli/terminal_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <iostream>
#include <map>

#include "base/cp1252.h"
#include "cli/terminal_port.h"
#include "import/run_progress.h"

namespace cli {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kMinBarWidth = 10;  // characters of the drawn bar: at least
constexpr int kMaxBarWidth = 30;  // and at most
constexpr int kBarFrame = 8;      // " [" and "] 100%" around the bar
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);  // at most ten frames a second
constexpr auto kTick = std::chrono::seconds(1);

bool g_barOnScreen = false;
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
  if (g_interrupted) {
    // The run has not reacted to the first Ctrl-C: the second one ends the program.
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
    return;
  }
  g_interrupted = 1;
}

// While it lives, Ctrl-C requests an abort instead of ending the program.
class InterruptAsAbort {
 public:
  InterruptAsAbort() {
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &m_previous);
  }
  ~InterruptAsAbort() { sigaction(SIGINT, &m_previous, nullptr); }
  InterruptAsAbort(const InterruptAsAbort&) = delete;
  InterruptAsAbort& operator=(const InterruptAsAbort&) = delete;

  bool takeRequest() {
    if (!g_interrupted) return false;
    g_interrupted = 0;
    return true;
  }

 private:
  struct sigaction m_previous {};
};

using Texts = std::map<int, std::string>;  // Windows-1252, by control id

std::string textOf(const Texts& texts, int id) {
  auto it = texts.find(id);
  return it == texts.end() ? std::string() : it->second;
}

std::string withoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The import's dialog: "Sätze 1200/3001  00:00:04  Fehler 2  Artikel 4711".
std::string importLabel(const Texts& texts) {
  namespace ctl = dnorm::ctl;
  std::string item = textOf(texts, ctl::kItemLabel);
  return base::ansi("Sätze ") + textOf(texts, ctl::kProcessed) + "/" + textOf(texts, ctl::kTotal) +
         "  " + textOf(texts, ctl::kElapsed) + "  Fehler " + textOf(texts, ctl::kErrors) + "  " +
         (item.empty() ? "Artikel" : item) + " " + withoutTrailingBlanks(textOf(texts, ctl::kItem));
}

// Any other dialog: the first line of each text, in id order.
std::string joinedLabel(const Texts& texts) {
  std::string label;
  for (const auto& [id, text] : texts) {
    if (text.empty()) continue;
    if (!label.empty()) label += ' ';
    label += text.substr(0, text.find_first_of("\r\n"));
  }
  return label;
}

int terminalColumns() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

int characters(const std::string& utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// The first `width` characters of a UTF-8 text.
std::string fitted(const std::string& utf8, int width) {
  int count = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    bool lead = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
    if (lead && count++ == width) return utf8.substr(0, i);
  }
  return utf8;
}

class TerminalProgressView final : public ui::ProgressView {
 public:
  using Label = std::string (*)(const Texts&);

  TerminalProgressView(Label label, bool draw, std::shared_ptr<TickSource> ticks,
                       bool abortOnInterrupt)
      : m_label(label), m_draw(draw), m_ticks(std::move(ticks)) {
    if (abortOnInterrupt) m_interrupt.emplace();
  }
  ~TerminalProgressView() override { close(); }

  void setText(int id, const std::string& text) override {
    if (!m_draw) return;
    m_texts[id] = text;
    redraw(false);
  }
  void setVisible(int, bool) override {}
  void setMeterTotal(int, long total) override {
    m_total = total;
    redraw(false);
  }
  void setMeterPosition(int, long position) override {
    m_position = position;
    redraw(false);
  }
  void startTicks(std::function<void()> onTick) override { m_ticks->start(std::move(onTick)); }
  void stopTicks() override { m_ticks->stop(); }
  bool takeAbortRequest() override { return m_interrupt && m_interrupt->takeRequest(); }
  void close() override {
    m_ticks->stop();
    m_interrupt.reset();
    if (m_drawn && g_barOnScreen) {
      redraw(true);
      std::cout << std::endl;
      g_barOnScreen = false;
    }
    m_draw = false;
  }

 private:
  void redraw(bool always) {
    if (!m_draw) return;
    auto now = SteadyClock::now();
    if (!always && m_drawn && now - m_lastDraw < kRedrawInterval) return;
    m_lastDraw = now;
    long percent = m_total > 0 ? std::clamp(m_position * 100 / m_total, 0L, 100L) : 0;
    // The label and the bar fill one line less its last column; the bar shrinks first.
    int room = terminalColumns() - kBarFrame - 1;
    std::string label = terminalText(m_label(m_texts));
    int barWidth = std::clamp(room - characters(label), kMinBarWidth, kMaxBarWidth);
    label = fitted(label, std::max(0, room - barWidth));
    int filled = static_cast<int>(percent * barWidth / 100);
    std::cout << "\r\033[K" << label << " [" << std::string(filled, '#')
              << std::string(barWidth - filled, ' ') << "] " << percent << "%" << std::flush;
    m_drawn = true;
    g_barOnScreen = true;
  }

  Label m_label;
  bool m_draw;
  bool m_drawn = false;
  std::shared_ptr<TickSource> m_ticks;
  std::optional<InterruptAsAbort> m_interrupt;
  Texts m_texts;
  long m_total = 100;
  long m_position = 0;
  SteadyClock::time_point m_lastDraw{};
};

}  // namespace

void TickSource::start(std::function<void()> onTick) {
  m_onTick = std::move(onTick);
  m_due = SteadyClock::now() + kTick;
}

void TickSource::pump() {
  if (!m_onTick) return;
  auto now = SteadyClock::now();
  if (now < m_due) return;
  m_due += kTick;
  if (m_due <= now) m_due = now + kTick;  // ticks missed meanwhile are lost
  std::function<void()> tick = m_onTick;
  tick();
}

std::unique_ptr<ui::ProgressView> openTerminalProgress(const std::string& dialog, bool draw,
                                                       std::shared_ptr<TickSource> ticks) {
  bool import = dialog == "DATEN_EINLESEN";
  return std::make_unique<TerminalProgressView>(import ? importLabel : joinedLabel, draw,
                                                std::move(ticks), import);
}

void clearProgressLine() {
  if (!g_barOnScreen) return;
  std::cout << "\r\033[K" << std::flush;
  g_barOnScreen = false;
}

}  // namespace cli
