#pragma once

#include <string>

namespace app {

// "Build 101"
std::string MAINBUILD();
// "2017 Build 101"
std::string MAINVERSION();
// "19.10.2017"
std::string buildDate();

}  // namespace app
