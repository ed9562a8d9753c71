#pragma once

#include <string>

namespace app {

// "Build 101"
std::string MAINBUILD();
// "2017 Build 101"
std::string MAINVERSION();
// "19.10.2017"
std::string buildDate();

// The texts of the information box (Windows-1252, lines joined by "\r\n"):
// the product heading with the maker and the years of the product,
std::string infoHeading();
// the version line, "2017 Build 101 vom 19.10.2017" and "Datanorm 4.0",
std::string versionLine();
// and the maker's five-line contact block.
std::string makerContact();

}  // namespace app
