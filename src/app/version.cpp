#include "app/version.h"

#include "base/cp1252.h"

namespace app {

namespace {
constexpr const char* kProductYear = "2017";
constexpr const char* kBuildLabel = "Build 101";
constexpr const char* kBuildDate = "19.10.2017";
constexpr const char* kMaker = "Lindwurm Software GmbH";
}  // namespace

std::string MAINBUILD() {
  return kBuildLabel;
}

std::string MAINVERSION() {
  return std::string(kProductYear) + " " + kBuildLabel;
}

std::string buildDate() {
  return kBuildDate;
}

std::string infoHeading() {
  return base::ansi(std::string("QMT DATANORM ") + kProductYear + "\r\n© " + kMaker + " 1999 - " +
                    kProductYear);
}

std::string versionLine() {
  return MAINVERSION() + " vom " + buildDate() + "\r\nDatanorm 4.0";
}

std::string makerContact() {
  return base::ansi(std::string("Dies ist ein Produkt von: \r\n") + kMaker +
                    " * Mühlenweg 12 * 99999 Musterstadt\r\n"
                    "Tel: 09999 / 1234-0 * Fax: 09999 / 1234-99\r\n"
                    "E-Mail: info@lindwurm-software.example\r\n"
                    "Homepage: www.lindwurm-software.example");
}

}  // namespace app
