#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dnorm {

// Width of the article key: field 3 of a record, padded with blanks or cut.
constexpr size_t kArticleKeyWidth = 15;

// Field n (from 1) of a text whose fields are separated by `separator`. For every field one
// separator standing at the scan position is skipped first, so a leading separator is lost.
// Missing fields are empty; nothing is trimmed; a zero byte ends the text.
std::string fieldOf(std::string_view text, int n, char separator);

// Field n of a Datanorm record line, separated by semicolons.
std::string XTEXT(int n, std::string_view line);

// The text padded with blanks or cut to exactly `width` characters.
std::string padCut(std::string_view text, size_t width);
// Without blanks on both sides / on the right.
std::string_view trimBlanks(std::string_view text);
std::string_view trimRight(std::string_view text);
// Empty or blanks only (what xBase calls an empty text).
bool isBlank(std::string_view text);
// The leading number of a field: blanks, sign, digits, one point; 0 without digits.
double numberOf(std::string_view text);

}  // namespace dnorm
