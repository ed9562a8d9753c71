#pragma once

#include <string>
#include <vector>

#include "tables/catalogue.h"
#include "xbase/table.h"

namespace tables {

// One difference between a table and the catalogue.
struct StructureFinding {
  enum class Kind {
    FewerFields,     // the table has fewer fields than the catalogue lists
    Missing,         // a field is missing: it is appended
    OtherType,       // a field has another type: nothing of the table is repaired
    TooShort,        // a character field is narrower: it is widened
    TooFewDecimals,  // a numeric field has fewer decimals: they and its width grow
    TooFewDigits,    // a numeric field is narrower: it is widened
  };
  Kind kind;
  std::string field;  // as the catalogue writes it; empty for FewerFields
  bool operator==(const StructureFinding&) const = default;
};

struct StructureComparison {
  // In the order they are found; a type difference is the last one (checking stops there).
  std::vector<StructureFinding> findings;
  // The table's structure with every repair made: old fields in their order, widened,
  // followed by the missing fields.
  Structure corrected;
  // A rebuild would mend the differences (there are some and none is a type difference).
  bool repairable = false;
};

// Compares a table's structure with the wanted one. Only what is missing, narrower or has
// fewer decimals counts: wider fields, unknown fields and the order of fields do not, nor
// do the widths of logical and date fields.
StructureComparison compareStructure(const Structure& wanted, const Structure& actual);

// The structure of an open table in field order (names as stored).
Structure actualStructure(const xbase::Table& table);

// The message for a finding, as the structure check shows it (table name in upper case).
std::string findingText(const std::string& table, const StructureFinding& finding);

// Whether the own table's file matches the catalogue: it can be read and compareStructure
// finds nothing. Shows nothing.
bool matchesCatalogue(const std::string& name);

}  // namespace tables
