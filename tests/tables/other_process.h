#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>

namespace tablestest {

// Runs `work` in a forked child process (another workstation: its own open files, its own
// locks) and ends the child with status 0 when `work` returned true. The child never returns
// into the test.
inline pid_t forkChild(const std::function<bool()>& work) {
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    bool ok = false;
    try {
      ok = work();
    } catch (...) {
    }
    ::_exit(ok ? 0 : 1);
  }
  return pid;
}

// Waits for a child; true when it ended normally with status 0.
inline bool waitChild(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Another workstation that takes something (opens a table, locks a record) in `setup`, then
// holds it until it is released or killed. Whatever the child held is gone once release()
// or kill() has returned, because both wait for the child to end.
class OtherProcess {
 public:
  explicit OtherProcess(const std::function<bool()>& setup) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe failed");
    m_pid = forkChild([&] {
      ::close(ready[0]);
      ::close(release[1]);
      char ok = setup() ? '1' : '0';
      if (::write(ready[1], &ok, 1) != 1) return false;
      char byte;
      return ::read(release[0], &byte, 1) >= 0;  // blocks until the parent lets go
    });
    ::close(ready[1]);
    ::close(release[0]);
    m_release = release[1];
    char ok = '0';
    m_ready = ::read(ready[0], &ok, 1) == 1 && ok == '1';
    ::close(ready[0]);
  }
  ~OtherProcess() { release(); }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  // The setup succeeded and the child now holds what it took.
  bool ready() const { return m_ready; }
  bool running() const { return m_pid > 0; }

  void release() {
    if (m_pid <= 0) return;
    ::close(m_release);
    waitChild(m_pid);
    m_pid = 0;
  }

  void kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    ::close(m_release);
    waitChild(m_pid);
    m_pid = 0;
  }

 private:
  pid_t m_pid = 0;
  int m_release = -1;
  bool m_ready = false;
};

}  // namespace tablestest
