#include "gui/error_log.h"

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <string>

#include "app/version.h"
#include "base/cp1252.h"
#include "ui/port.h"
#include "xbase/common/file.h"

namespace gui {

namespace {

// Everything a signal handler needs is prepared beforehand in fixed buffers: it may only
// call functions that are safe there (open, write, close, backtrace_symbols_fd).
constexpr size_t kPathSize = 4096;
constexpr size_t kLineSize = 256;
constexpr int kMaxFrames = 64;
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

char g_path[kPathSize] = "ERROR.LOG";
char g_build[kLineSize] = "";
long g_utcOffset = 0;  // seconds east of UTC when the log was set up

// A small text buffer that never allocates.
struct Line {
  char text[kLineSize];
  size_t size = 0;

  void add(const char* s) {
    while (*s && size + 1 < kLineSize) text[size++] = *s++;
  }
  void addNumber(long n, int minDigits = 1) {
    char digits[24];
    int count = 0;
    bool negative = n < 0;
    unsigned long rest =
        negative ? 0UL - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
    do {
      digits[count++] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest > 0 || count < minDigits);
    if (negative) add("-");
    while (count > 0 && size + 1 < kLineSize) text[size++] = digits[--count];
  }
  void writeTo(int fd) const {
    if (::write(fd, text, size) < 0) return;
  }
};

// "dd.mm.yyyy hh:mm:ss" of a time, by arithmetic only (days to civil date after H. Hinnant).
void addTime(Line& line, std::time_t now) {
  long long local = static_cast<long long>(now) + g_utcOffset;
  long long days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
  long secondsOfDay = static_cast<long>(local - days * 86400);
  days += 719468;
  long long era = (days >= 0 ? days : days - 146096) / 146097;
  long long dayOfEra = days - era * 146097;
  long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  long long mp = (5 * dayOfYear + 2) / 153;
  long day = static_cast<long>(dayOfYear - (153 * mp + 2) / 5 + 1);
  long month = static_cast<long>(mp < 10 ? mp + 3 : mp - 9);
  long year = static_cast<long>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  line.addNumber(day, 2);
  line.add(".");
  line.addNumber(month, 2);
  line.add(".");
  line.addNumber(year, 4);
  line.add(" ");
  line.addNumber(secondsOfDay / 3600, 2);
  line.add(":");
  line.addNumber(secondsOfDay / 60 % 60, 2);
  line.add(":");
  line.addNumber(secondsOfDay % 60, 2);
}

bool writeReport(const char* what) {
  int fd = ::open(g_path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  Line head;
  head.add("Zeit: ");
  addTime(head, std::time(nullptr));
  head.add("\nVersion: ");
  head.add(g_build);
  head.add("\nFehler: ");
  head.writeTo(fd);
  for (const char* part : {what, "\n\nAufrufstapel:\n"}) {
    if (::write(fd, part, std::strlen(part)) < 0) break;
  }
  void* frames[kMaxFrames];
  ::backtrace_symbols_fd(frames, ::backtrace(frames, kMaxFrames), fd);
  ::close(fd);
  return true;
}

const char* signalName(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "Speicherschutzverletzung (SIGSEGV)";
    case SIGBUS:
      return "Busfehler (SIGBUS)";
    case SIGFPE:
      return "Rechenfehler (SIGFPE)";
    case SIGILL:
      return "ungueltiger Befehl (SIGILL)";
    case SIGABRT:
      return "Programmabbruch (SIGABRT)";
  }
  return "Signal";
}

void onFatalSignal(int signal) {
  writeReport(signalName(signal));
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void onTerminate() {
  std::string what = "Ausnahme, die niemand abgefangen hat";
  if (std::exception_ptr current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& e) {
      what += ": ";
      what += e.what();
    } catch (...) {
    }
  }
  writeErrorLog(what);
  std::signal(SIGABRT, SIG_DFL);  // the report of the exception stays
  std::abort();
}

}  // namespace

void setErrorLogFolder(const std::filesystem::path& folder) {
  std::string path = xbase::resolveCaseInsensitive((folder / "ERROR.LOG").string());
  std::strncpy(g_path, path.c_str(), kPathSize - 1);
  std::string build = "QMT DATANORM " + app::MAINVERSION() + " vom " + app::buildDate();
  std::strncpy(g_build, build.c_str(), kLineSize - 1);
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local)) g_utcOffset = local.tm_gmtoff;
  // The first backtrace loads the unwinder; later ones, inside a signal handler, must not.
  void* frame[1];
  ::backtrace(frame, 1);
}

void installCrashHandlers() {
  for (int signal : kFatalSignals) std::signal(signal, onFatalSignal);
  std::set_terminate(onTerminate);
}

bool writeErrorLog(std::string_view what) {
  return writeReport(std::string(what).c_str());
}

void endWithErrorLog(std::string_view what) {
  writeErrorLog(what);
  try {
    ui::port().stop("QMT Datanorm", base::ansi("Ein unerwarteter Fehler ist aufgetreten:\r\n" +
                                               std::string(what) + "\r\n\r\nDer Bericht steht in " +
                                               g_path + ".\r\nDas Programm wird beendet."));
  } catch (const std::exception&) {
    // Without a user-interface port the report has to do.
  }
  std::_Exit(EXIT_FAILURE);
}

}  // namespace gui
