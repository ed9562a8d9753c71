#pragma once

#include <string>

namespace dnorm {

// "B" record: matchcode, EAN and second product group of an existing article, placed by
// settings 10 and 11. A field is written when it is not blank, and always with code "N".
bool ARTBSATZ(const std::string& article);

// "D" record: appends its two slots (free text, text block or filled-in insert text) to
// the article's long text; code "L" removes the long text.
bool ARTDSATZ(const std::string& article);

}  // namespace dnorm
