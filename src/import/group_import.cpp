#include "import/group_import.h"

#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/record_fields.h"
#include "import/run_loop.h"
#include "import/run_progress.h"
#include "import/table_access.h"
#include "tables/net.h"
#include "xbase/dbf/field_writer.h"

namespace dnorm {

namespace {

// Key widths of DNORMWGR and DNORMRAB.
constexpr size_t kProductGroupWidth = 3;
constexpr size_t kDiscountGroupWidth = 4;

// Discount kinds of an "R" record.
constexpr int kDiscountPercent = 1;     // hundredths of a percent: 1550 is 15.50 %
constexpr int kDiscountMultiplier = 2;  // thousandths: 850 is 0.850

xbase::Table* appendTo(const std::string& alias) {
  tables::OnAlias on(alias);
  return tables::NETAPPEND() ? tables::current() : nullptr;
}

bool handleProductGroup(const std::string& line) {
  if (line.empty() || line[0] != 'S') return true;
  countRecord(0);
  std::string key = XTEXT(3, line);
  std::string text = XTEXT(4, line);
  showText(ctl::kItem, key + ": " + text);
  if (isBlank(key) || !isBlank(XTEXT(5, line))) return true;
  std::string padded = padCut(key, kProductGroupWidth);
  if (seekKey(openTable("DNORMWGR"), padded)) return true;
  if (xbase::Table* groups = appendTo("DNORMWGR")) {
    setField(*groups, "WAGRU", padded);
    setField(*groups, "TEXT", text);
    setField(*groups, "MIT_DIESER", true);
  }
  return true;
}

// Whether the multiplier fits the MULTI field; a group whose multiplier it cannot hold is
// not stored rather than stored with a wrong one.
bool fitsMulti(const xbase::Table& groups, double multiplier) {
  const xbase::FieldDef& multi =
      groups.fields().at(static_cast<size_t>(groups.fieldIndex("MULTI")));
  std::string text;
  return xbase::formatNumber(multiplier, multi.length, multi.decimals, text);
}

bool handleDiscountGroup(const std::string& line) {
  if (line.empty() || line[0] != 'R') return true;
  countRecord(0);
  std::string key = XTEXT(3, line);
  std::string text = XTEXT(6, line);
  showText(ctl::kItem, key + ": " + text);
  if (isBlank(key)) return true;
  std::string padded = padCut(key, kDiscountGroupWidth);
  xbase::Table& groups = openTable("DNORMRAB");
  if (seekKey(groups, padded)) {
    NORMFEHLER(err::kDiscountGroupStored, padded);
    return true;
  }
  double kind = numberOf(XTEXT(4, line));
  double value = numberOf(XTEXT(5, line));
  if (kind != kDiscountPercent && kind != kDiscountMultiplier) {
    NORMFEHLER(err::kDiscountKind, padded);
    return true;
  }
  double multiplier = kind == kDiscountPercent ? 1 - value / 10000 : value / 1000;
  if (!fitsMulti(groups, multiplier)) {
    NORMFEHLER(err::kMultiplierTooLarge, padded);
    return true;
  }
  if (xbase::Table* rows = appendTo("DNORMRAB")) {
    setField(*rows, "RABATTGRUP", padded);
    setField(*rows, "TEXT", text);
    setNumberField(*rows, "MULTI", multiplier);
  }
  return true;
}

}  // namespace

bool STARTWARENLESEN() {
  forEachLine(handleProductGroup, "Import der Hauptwarengruppen ist beendet");
  return true;
}

bool STARTRABATTLESEN() {
  forEachLine(handleDiscountGroup, "Import der Rabattgruppen ist beendet");
  return true;
}

bool MITDIESERGRUPPE(const std::string& group) {
  if (isBlank(group)) return true;
  xbase::Table& groups = openTable("DNORMWGR");
  if (!seekKey(groups, padCut(group, kProductGroupWidth))) return true;
  return fieldLogical(groups, "MIT_DIESER");
}

}  // namespace dnorm
