#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dnorm {

// The error texts an installation starts with, one per error number the import reports.
// They ship as a UTF-8 file of lines "FehlerNr;Ohne;Fehler;Kommentar" after a heading line
// (Ohne "J" or "N"; the comment is the rest of the line and may hold semicolons).
struct ErrorText {
  int number = 0;
  bool ignore = false;
  std::string text;     // Windows-1252, at most 80 characters
  std::string comment;  // Windows-1252, at most 250 characters
};

// The file that ships with the program: error_texts.csv in the program directory.
std::filesystem::path defaultErrorTextsFile();

// The texts of the file; nullopt when it cannot be read or a line is malformed.
std::optional<std::vector<ErrorText>> readErrorTexts(const std::filesystem::path& file);

// Writes the texts of the file into the error-text table DNORMERT of the program directory
// when that table holds no record yet. True when the texts were written; false when the
// table already holds texts, cannot be opened or the file cannot be read.
bool fillErrorTexts(const std::filesystem::path& file = defaultErrorTextsFile());

}  // namespace dnorm
