#pragma once

#include <filesystem>
#include <string_view>

namespace gui {

// Reports of unexpected run-time errors in ERROR.LOG of the program directory. Each report
// replaces the previous one: the time, the build, what happened and a backtrace.

// Names the report file: ERROR.LOG in the folder, or a file of that name in another case.
void setErrorLogFolder(const std::filesystem::path& folder);
// Lets fatal signals and exceptions nobody catches write the report before the program
// ends.
void installCrashHandlers();
// Writes a report; `what` is UTF-8. False when the file cannot be written.
bool writeErrorLog(std::string_view what);
// Writes the report, tells the user where it is and ends the program.
[[noreturn]] void endWithErrorLog(std::string_view what);

}  // namespace gui
