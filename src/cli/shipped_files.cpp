#include "cli/shipped_files.h"

#include <iostream>

#include "app/paths.h"
#include "import/error_texts.h"

namespace cli {

namespace {

// The folder of the running program, whatever the program directory is.
std::filesystem::path programFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

}  // namespace

std::filesystem::path shippedFile(const std::string& name) {
  std::filesystem::path inHome = std::filesystem::path(app::MAINPFAD()) / name;
  std::error_code ec;
  return std::filesystem::exists(inHome, ec) ? inHome : programFolder() / name;
}

bool fillShippedErrorTexts() {
  std::filesystem::path file = shippedFile(dnorm::defaultErrorTextsFile().filename().string());
  if (!dnorm::readErrorTexts(file)) {
    std::cerr << "Fehlertexte nicht lesbar: " << file.string() << "\n";
    return false;
  }
  dnorm::fillErrorTexts(file);  // false when the table already holds texts
  return true;
}

}  // namespace cli
