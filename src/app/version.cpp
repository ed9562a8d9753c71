#include "app/version.h"

namespace app {

namespace {
constexpr const char* kProductYear = "2017";
constexpr const char* kBuildLabel = "Build 101";
constexpr const char* kBuildDate = "19.10.2017";
}  // namespace

std::string MAINBUILD() { return kBuildLabel; }

std::string MAINVERSION() { return std::string(kProductYear) + " " + kBuildLabel; }

std::string buildDate() { return kBuildDate; }

}  // namespace app
