#pragma once

#include <string>

namespace dnorm {

// Handlers of the article records ("A") of an article master file. Each handles the run's
// current line; `article` is the run's current article number (field 3, 15 characters).
// Each reports its refusals by error number and returns whether it changed the article.

// Code "N": creates the article (or changes it, with setting 18, when it exists).
bool ARTNEU(const std::string& article);
// Code "A": changes the given fields, prices, descriptions and long text.
bool ARTAENDERUNG(const std::string& article);
// Code "X": gives the article the number of field 5.
bool ARTNRAENDERUNG(const std::string& article);
// Code "L": deletes the article (with setting 17 at 2 only when its stock is 0).
bool ARTLOESCHE(const std::string& article);

}  // namespace dnorm
