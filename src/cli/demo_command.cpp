#include "cli/demo_command.h"

#include <charconv>
#include <cstdio>
#include <iostream>

#include "cli/demo_datanorm.h"
#include "cli/demo_installation.h"
#include "cli/session.h"

namespace cli {

namespace {

constexpr long kDefaultArticles = 500;
constexpr long kMaxArticles = 10'000'000;

struct DemoArgs {
  std::string dir;
  long articles = kDefaultArticles;
  std::string problem;
};

DemoArgs parseArgs(const std::vector<std::string>& args) {
  DemoArgs parsed;
  for (size_t i = 0; i < args.size() && parsed.problem.empty(); ++i) {
    const std::string& a = args[i];
    if (a == "--articles") {
      std::string value = i + 1 < args.size() ? args[++i] : "";
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), parsed.articles);
      if (ec != std::errc{} || end != value.data() + value.size() || parsed.articles < 0 ||
          parsed.articles > kMaxArticles) {
        parsed.problem = "Ungültige Artikelzahl: " + value + " (0 bis 10000000)";
      }
    } else if (a.starts_with("--") || !parsed.dir.empty()) {
      parsed.problem = "Unbekanntes Argument: " + a;
    } else {
      parsed.dir = a;
    }
  }
  if (parsed.problem.empty() && parsed.dir.empty()) parsed.problem = "Verzeichnis fehlt";
  return parsed;
}

bool isNewOrEmpty(const std::filesystem::path& dir) {
  std::error_code ec;
  if (!std::filesystem::exists(dir, ec)) return !ec;
  return std::filesystem::is_directory(dir, ec) && std::filesystem::is_empty(dir, ec);
}

void printInstructions(const std::filesystem::path& home, const DemoFiles& files, long articles) {
  std::string cli = "artikimp-cli --home " + home.string();
  std::printf(
      "Demo-Installation in %s\n"
      "  Warenwirtschaft:  %s/\n"
      "  Datanorm-Dateien: %s/ (%ld Artikel)\n"
      "Einlesen in dieser Reihenfolge:\n"
      "  %s import --kind 1 %s\n"
      "  %s import --kind 3 %s\n"
      "  %s import %s\n"
      "  %s import --kind 2 %s\n",
      home.c_str(), (home / "lgw").c_str(), files.articles.parent_path().c_str(), articles,
      cli.c_str(), files.productGroups.c_str(), cli.c_str(), files.discountGroups.c_str(),
      cli.c_str(), files.articles.c_str(), cli.c_str(), files.prices.c_str());
}

}  // namespace

int runDemoCommand(const CommandLine& line) {
  DemoArgs args = parseArgs(line.args);
  if (!args.problem.empty()) return usageError(args.problem);
  std::filesystem::path home = absolutePath(args.dir);
  if (!isNewOrEmpty(home)) {
    std::cerr << "Verzeichnis ist nicht leer: " << home.string() << "\n";
    return kFailed;
  }
  DemoFiles files = demoFiles(home / "daten");
  std::error_code ec;
  std::filesystem::create_directories(home / "daten", ec);
  if (ec) {
    std::cerr << "Verzeichnis nicht anlegbar: " << home.string() << ": " << ec.message() << "\n";
    return kFailed;
  }

  GlobalOptions options = line.options;
  options.home = home;
  Session session(options, Session::OwnTables::Leave);
  if (!installDemo(home)) return kFailed;
  if (!writeDemoFiles(files, args.articles)) {
    std::cerr << "Datanorm-Dateien nicht geschrieben in " << files.articles.parent_path().string()
              << "\n";
    return kFailed;
  }
  printInstructions(home, files, args.articles);
  return kOk;
}

}  // namespace cli
