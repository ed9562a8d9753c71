#pragma once

#include <filesystem>
#include <string>

#include "xbase/common/field.h"
#include "xbase/common/status.h"

namespace dnorm {

// Lays out an empty merchandise folder the way the merchandise system keeps it, for
// demonstrations and measurements without a real installation: ARTIKEL with its eight
// article index files, LANGTEXT with LANGNUM, LANGNUM1 and LANGNUM2, QMTIND naming LA_EAN
// and LAFAV1 as active user indexes, WEURO with EUR, DEM and CHF (base EUR) and one
// currency of another base, and winlgw.ini with EUR as main and DEM as second currency.
xbase::Status createEmptyMerchandiseFolder(const std::filesystem::path& folder);
// ARTIKEL alone, created anew without records, with its eight index files.
xbase::Status createEmptyArticleTable(const std::filesystem::path& folder);

// The fields of the merchandise system's article table ARTIKEL, in file order.
extern const xbase::FieldList kArticleFields;

// The article index files (base names) and their key expressions, in the order above.
struct IndexFile {
  const char* name;
  const char* key;
};
extern const IndexFile kMerchandiseArticleIndexes[8];
extern const IndexFile kMerchandiseLongTextIndexes[3];

}  // namespace dnorm
