#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace util {

// The names (without folder) of the files matching a pattern such as "/data/tabelle/*.def":
// '*' and '?' in the last part, compared without regard to case; "name.*" also matches a
// name without extension, as on Windows. Without `withExtension` each name loses
// everything from its last point on; `sorted` sorts the names by their bytes. File-system
// bytes in and out.
std::vector<std::string> GETFILELIST(const std::filesystem::path& pattern,
                                     bool withExtension = true, bool sorted = true);

// The file-name part of a path: what follows the last '\' or '/', or where there is none or
// it is the last character, what follows the first ':', or else the whole text.
std::string_view fileNamePart(std::string_view path);
// fileNamePart in upper case, Windows-1252 in and out.
std::string CFILENOPATH(std::string_view path);

// Checks in list order that the file folder + name exists (found whatever the case of its
// name); `folder` must end with a separator. At the first missing one it shows
// "Datei: <folder><name>\r\nnicht vorhanden" titled `title` and gives false. Windows-1252
// texts, as the folder comes from the settings.
bool TESTDATEI(const std::string& folder, const std::vector<std::string>& names,
               const std::string& title);

}  // namespace util
