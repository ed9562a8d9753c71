#pragma once

#include <string>
#include <vector>

#include "import/article_row.h"

namespace dnorm {

// Opens the system's own seven tables exclusively with their indexes (an open one counts
// as opened); false at the first that cannot be opened, those before it stay open.
bool DBFOPEN();

// The merchandise system's data folder: setting 1 trimmed, ending with its separator.
std::string GETLGWPFAD();
// The file-system path of a file in that folder (setting texts are Windows-1252).
std::string merchandisePath(const std::string& name);

// Opens ARTIKEL and LANGTEXT of the merchandise folder shared with their index files, both
// in article-number order. ARTIKEL gets all its article indexes with setting 2 on, else
// only the article-number index. A missing index file is named to the user.
bool LGWOPEN();
// Appends the active user-defined ARTIKEL indexes that QMTIND lists and that exist in the
// folder, unless a listed name already begins with them.
void ADDUSERINDEX(std::vector<std::string>& indexes, const std::string& folder);
void LGWCLOSE();

// The row of the open ARTIKEL table; only while LGWOPEN holds it open.
ArticleRow& articleRow();

// The merchandise files an import needs, in the order they are checked.
std::vector<std::string> requiredMerchandiseFiles(bool allIndexes);

}  // namespace dnorm
