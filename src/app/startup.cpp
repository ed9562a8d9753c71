#include "app/startup.h"

#include <sys/resource.h>
#include <unistd.h>

#include "app/paths.h"
#include "settings/cache.h"

namespace app {

namespace {

constexpr rlim_t kFileHandles = 255;

void raiseFileHandleLimit() {
  rlimit limit;
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= kFileHandles) return;
  rlimit raised = limit;
  raised.rlim_cur = kFileHandles;
  if (raised.rlim_max < kFileHandles) raised.rlim_max = kFileHandles;  // needs privileges
  if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) return;
  limit.rlim_cur = limit.rlim_max;
  ::setrlimit(RLIMIT_NOFILE, &limit);
}

void run(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

void startUp(std::string_view argument, const StartupHooks& hooks) {
  raiseFileHandleLimit();
  std::filesystem::path dir = programDirectory();
  // Tables and files named without a folder are looked for in the program directory.
  std::error_code ec;
  std::filesystem::current_path(dir, ec);
  setupPaths(dir, argument);

  run(hooks.showMainWindow);
  run(hooks.checkOwnTables);
  run(hooks.switchCommitOff);
  settings::GETVORFELD(0, true);
}

}  // namespace app
