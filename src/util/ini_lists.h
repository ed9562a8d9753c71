#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace util {

// Lists of texts stored as one INI section: one entry per element in list order, under
// "Z1", "Z2", ... or under given keys. Sections, keys and values are Windows-1252.

// The values stored under `keys`, in key order (a missing key gives the empty text); with
// no keys, the values of all entries of the section in file order. A missing file or
// section gives the empty list.
std::vector<std::string> GETINIARRAY(const std::string& section, const std::filesystem::path& file,
                                     const std::vector<std::string>& keys = {});

// All values of the section joined with "\r\n" (none at the end).
std::string GETTEXTINIARRAY(const std::string& section, const std::filesystem::path& file);

// Replaces the section by the list: the n-th value under the n-th key, or under "Z<n>"
// (from 1) where no key is given; `quoted` encloses every value in double quotes, which
// reading removes again. An empty list just removes the section. Returns true; a failed
// write is not reported.
bool SETINIARRAY(const std::string& section, const std::filesystem::path& file,
                 const std::vector<std::string>& values, const std::vector<std::string>& keys = {},
                 bool quoted = false);

// Stores a text of several lines as the list of its lines (see TEXTTOARRAY).
bool SETTEXTINIARRAY(const std::string& section, const std::filesystem::path& file,
                     const std::string& text, bool quoted = false);

}  // namespace util
