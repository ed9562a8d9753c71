#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// Folder of the genuine fixtures (shared/fixtures), overridable with $ARTIKIMP_FIXTURES.
std::filesystem::path fixturesDir();

// Path of the artikimp-cli binary built alongside the tests.
std::filesystem::path cliPath();

// A fresh, empty folder below the system's temp folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

// Copies fixture files (relative to fixturesDir()) into a folder.
void copyFixtures(const std::filesystem::path& to, const std::string& subdir,
                  const std::vector<std::string>& names);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
// Runs a program with arguments (no shell), capturing stdout and stderr.
CommandResult run(const std::vector<std::string>& argv, const std::string& stdinText = {});

}  // namespace testsupport
