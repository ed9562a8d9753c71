#include <cstdio>
#include <cstring>
#include <string>

#include "app/version.h"

namespace {

void printHelp() {
  std::printf(
      "artikimp-cli %s\n"
      "Datanorm-Import auf der Kommandozeile.\n\n"
      "Aufruf: artikimp-cli [--version] [--help] COMMAND ...\n",
      app::MAINVERSION().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("QMT Datanorm %s vom %s\n", app::MAINVERSION().c_str(), app::buildDate().c_str());
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      printHelp();
      return 0;
    }
  }
  printHelp();
  return 2;
}
