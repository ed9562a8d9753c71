#pragma once

#include <string>

namespace tables {

// Paths (file-system bytes) of the own tables' files in the program directory. An existing
// file is found whatever the case of its name; a new one is spelled NAME.dbf, NAME.CDX.

// A path relative to the program directory (the current directory before start-up has fixed
// it), resolved case-insensitively.
std::string inProgramDirectory(const std::string& relative);

std::string tableFile(const std::string& name);
std::string indexFile(const std::string& name);
// The memo file a table of that name would have (none of the own tables has one).
std::string memoFile(const std::string& name);
// The backup folder "sicher" below the program directory.
std::string backupFolder();
// `file` (a path) moved into the backup folder under its own name.
std::string backupOf(const std::string& file);

}  // namespace tables
