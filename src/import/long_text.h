#pragma once

#include <string>

namespace dnorm {

// An article's long text in the merchandise system's table LANGTEXT: one row per article
// (key ART_NUM), the text cut into twenty consecutive pieces of 60 characters. Texts
// longer than 1200 characters lose the rest.

// The stored text without trailing blanks, or empty text.
std::string LANGTEXTGET(const std::string& article);
// Stores the text as the article's long text, reusing its row even when that is marked
// deleted; false when the row can neither be locked nor appended.
bool LANGTEXTSET(const std::string& article, const std::string& text);
// Marks the article's long-text row deleted, but only when the current ARTIKEL row has its
// long-text flag set; false only when the row exists and cannot be locked.
bool LANGTEXTLOESCHEN(const std::string& article);

}  // namespace dnorm
