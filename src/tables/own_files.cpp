#include "tables/own_files.h"

#include "app/paths.h"
#include "xbase/common/file.h"

namespace tables {

std::string inProgramDirectory(const std::string& relative) {
  std::string dir = app::MAINPFAD();
  return xbase::resolveCaseInsensitive((dir.empty() ? "." : dir) + "/" + relative);
}

std::string tableFile(const std::string& name) {
  return inProgramDirectory(name + ".dbf");
}

std::string indexFile(const std::string& name) {
  return inProgramDirectory(name + ".CDX");
}

std::string memoFile(const std::string& name) {
  return inProgramDirectory(name + ".dbt");
}

std::string backupFolder() {
  return inProgramDirectory("sicher");
}

std::string backupOf(const std::string& file) {
  return xbase::resolveCaseInsensitive(backupFolder() + "/" + file.substr(file.rfind('/') + 1));
}

}  // namespace tables
