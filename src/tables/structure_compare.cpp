#include "tables/structure_compare.h"

#include <algorithm>
#include <memory>

#include "base/cp1252.h"
#include "tables/own_files.h"

namespace tables {

namespace {

using Kind = StructureFinding::Kind;

// Applies the checks of one wanted field to the actual field of the same name.
void compareField(const FieldInfo& wanted, FieldInfo& actual, StructureComparison& result) {
  auto found = [&](Kind kind) { result.findings.push_back({kind, wanted.name}); };
  if (actual.type == 'C' && actual.width < wanted.width) {
    actual.width = wanted.width;
    found(Kind::TooShort);
  }
  if (actual.type == 'N') {
    if (actual.decimals < wanted.decimals) {
      actual.width += wanted.decimals - actual.decimals;
      actual.decimals = wanted.decimals;
      found(Kind::TooFewDecimals);
    }
    if (actual.width < wanted.width) {
      actual.width = wanted.width;
      found(Kind::TooFewDigits);
    }
  }
}

}  // namespace

StructureComparison compareStructure(const Structure& wanted, const Structure& actual) {
  StructureComparison result;
  result.corrected = actual;
  if (actual.size() < wanted.size()) result.findings.push_back({Kind::FewerFields, ""});
  for (const FieldInfo& w : wanted) {
    auto it =
        std::find_if(result.corrected.begin(), result.corrected.end(),
                     [&](const FieldInfo& a) { return base::equalsIgnoringCase(a.name, w.name); });
    if (it == result.corrected.end()) {
      result.corrected.push_back(w);
      result.findings.push_back({Kind::Missing, w.name});
    } else if (it->type != w.type) {
      result.findings.push_back({Kind::OtherType, w.name});
      return result;
    } else {
      compareField(w, *it, result);
    }
  }
  result.repairable = !result.findings.empty();
  return result;
}

Structure actualStructure(const xbase::Table& table) {
  Structure structure;
  for (const xbase::FieldDef& f : table.fields())
    structure.push_back({f.name, f.type, f.length, f.decimals});
  return structure;
}

std::string findingText(const std::string& table, const StructureFinding& finding) {
  std::string prefix = "Datenbank: " + table + "\r\n";
  std::string field = "Feld: " + finding.field;
  switch (finding.kind) {
    case Kind::FewerFields:
      return prefix + base::ansi("Länge der Struktur unterschiedlich");
    case Kind::Missing:
      return prefix + field + " nicht vorhanden";
    case Kind::OtherType:
      return "Das Feld: " + finding.field + "\r\nin der Datenbank: " + table +
             "\r\nhat einen unterschiedlichen Typ" +
             "Bitte wenden Sie sich an Ihren Systembetreuer oder QMT zur Korrektur der Datenbank";
    case Kind::TooShort:
      return prefix + field + " zu kurz";
    case Kind::TooFewDecimals:
      return prefix + field + " zu wenig Dezimalstellen";
    case Kind::TooFewDigits:
      return prefix + field + " zu wenig Stellen";
  }
  return prefix;
}

bool matchesCatalogue(const std::string& name) {
  std::unique_ptr<xbase::Table> table;
  if (!xbase::Table::open(tableFile(name), {xbase::OpenMode::ReadOnly, nullptr}, &table).isOk())
    return false;
  return compareStructure(GETSTRUKTUR(name), actualStructure(*table)).findings.empty();
}

}  // namespace tables
