#pragma once

#include <filesystem>
#include <string>

namespace cli {

// A file that ships with the program (error_texts.csv, Datanorm.hlp): the one in the
// program directory when it has one, else the one beside the running program.
std::filesystem::path shippedFile(const std::string& name);

// Writes the shipped error texts into the error-text table when it holds none yet. False,
// with a message on stderr, only when the shipped file cannot be read.
bool fillShippedErrorTexts();

}  // namespace cli
