#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace clitest {

using testsupport::CommandResult;

// Runs artikimp-cli with the arguments, as a child process.
inline CommandResult cli(std::vector<std::string> args) {
  args.insert(args.begin(), testsupport::cliPath().string());
  return testsupport::run(args);
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Writes a demo installation with `articles` articles into `home` and returns `home`.
inline std::filesystem::path makeDemo(const std::filesystem::path& home, long articles) {
  CommandResult r = cli({"demo", home.string(), "--articles", std::to_string(articles)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return home;
}

// The demo's Datanorm file for an import kind (0 articles, 1 product groups, 2 prices,
// 3 discount groups).
inline std::filesystem::path demoFile(const std::filesystem::path& home, int kind) {
  static const char* const kNames[] = {"DATANORM.001", "DATANORM.WRG", "DATPREIS.001",
                                       "DATANORM.RAB"};
  return home / "daten" / kNames[kind];
}

// The kinds in the order a new installation imports them: groups and discount groups
// before the articles that name them, prices last.
inline constexpr int kImportOrder[] = {1, 3, 0, 2};

// A JSON report with its measured time replaced by 0, so that it can be compared whole.
inline std::string withoutTime(const std::string& json) {
  return std::regex_replace(json, std::regex("\"seconds\":[0-9.]+"), "\"seconds\":0");
}

}  // namespace clitest
