#include "support/test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {

std::filesystem::path fixturesDir() {
  if (const char* env = std::getenv("ARTIKIMP_FIXTURES"); env && *env) return env;
  return ARTIKIMP_FIXTURES_DEFAULT;
}

std::filesystem::path cliPath() { return ARTIKIMP_CLI_PATH; }

TempDir::TempDir() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("artikimp-test-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

void copyFixtures(const std::filesystem::path& to, const std::string& subdir,
                  const std::vector<std::string>& names) {
  for (const auto& name : names) {
    auto target = to / name;
    std::filesystem::copy_file(fixturesDir() / subdir / name, target,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write);
  }
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

namespace {
std::string drain(int fd) {
  std::string s;
  char buf[65536];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) s.append(buf, static_cast<size_t>(n));
  return s;
}
}  // namespace

CommandResult run(const std::vector<std::string>& argv, const std::string& stdinText) {
  // stdout and stderr go to temporary files so that large outputs cannot dead-lock the pipes.
  TempDir tmp;
  auto outPath = tmp / "out", errPath = tmp / "err", inPath = tmp / "in";
  writeFile(inPath, stdinText);
  pid_t pid = fork();
  if (pid == 0) {
    int in = open(inPath.c_str(), O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  CommandResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  int fo = open(outPath.c_str(), O_RDONLY), fe = open(errPath.c_str(), O_RDONLY);
  r.out = drain(fo);
  r.err = drain(fe);
  close(fo);
  close(fe);
  return r;
}

}  // namespace testsupport
