#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace dnorm {

// Width of each of the article's three description fields.
constexpr size_t kDescriptionWidth = 40;

// The texts for ARTIKEL, ZUSATZ and ZUSATZ1.
struct Descriptions {
  std::string artikel;
  std::string zusatz;
  std::string zusatz1;
};

// Makes the three descriptions of the two trimmed short texts of an "A" record, breaking
// texts that are too long at blanks, hyphens or commas.
Descriptions ARTBEZEICHNUNG(std::string_view shortText1, std::string_view shortText2);

// Splits a text (trimmed first) into the part before and the part after the rightmost
// usable break (blank, hyphen, or a comma that is no decimal comma) so that the first part
// fits `limit`. Where no break works the text is cut hard and error 160 or 161 reported.
std::pair<std::string, std::string> TEXTAUFTEILEN(std::string_view text, size_t limit);

// Joins the rest of a split text with the next text; a word divided by a hyphen at the end
// of the rest is joined again.
std::string TEXTCONNECT(std::string_view rest, std::string_view next);

// What an article stores in WAGRU for a product-group value: the first 10 characters of the
// name of the main product group (first three characters of the value) when it is stored,
// otherwise the value itself.
std::string HOL_WAGRBEZ(const std::string& value);

}  // namespace dnorm
