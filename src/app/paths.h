#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace app {

// Paths are file-system bytes (UTF-8 on Linux); a path that goes into a message is
// converted to Windows-1252 there.

// The program directory: $ARTIKIMP_HOME when set, else the folder of the running program.
std::filesystem::path programDirectory();

// The workstation name from the command-line argument: what follows the last '\' or '/'
// (unless that is the last character), else what follows the first ':', else the whole
// argument; without blanks around it, without its extension, at most 8 characters.
// "C:\Temp\Kasse12.cfg" gives "Kasse12", "Arbeitsplatz2" gives "Arbeitsp".
std::string workstationName(std::string_view argument);

// Fixes the program directory and the two INI files, creates the folder "lokal" and, with a
// workstation name, writes the entry "Config"/"Lokal" of the local INI file. When that
// write fails the user is told and the global INI file serves as the local one.
// The names keep their case (Linux file names are case-sensitive): the global file is
// ARTIKIMP.INI or an existing file of that name in another case; the local file is
// lokal/<NAME>.INI with the workstation name in upper case.
void setupPaths(const std::filesystem::path& programDir, std::string_view argument);

// The program directory, without a trailing slash.
std::string MAINPFAD();
std::string INIGLOBAL();
// The workstation's INI file; INIGLOBAL() when there is no workstation name.
std::string INILOKAL();

}  // namespace app
