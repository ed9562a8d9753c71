#include "import/error_log.h"

#include <cmath>
#include <filesystem>

#include "base/clock.h"
#include "base/cp1252.h"
#include "base/decimal.h"
#include "import/record_fields.h"
#include "import/run_progress.h"
#include "import/table_access.h"
#include "tables/net.h"
#include "util/text_helpers.h"

namespace dnorm {

namespace {

// Error numbers from here on concern one article.
constexpr int kFirstArticleError = 100;

// Date, time, file and line of the record being processed, as both logs keep them.
void stampRow(xbase::Table& table) {
  RunState& run = runState();
  setDateField(table, table.fieldIndex("DATUM"), base::clock().today());
  setField(table, "ZEIT",
           util::secondsToTime(static_cast<long>(std::floor(base::clock().secondsOfDay()))));
  setField(table, "DATEI", base::ansi(std::filesystem::path(run.fileName).filename().string()));
  // The log's own line number is never reported as too large: that would log again.
  table.putNumber(table.fieldIndex("SATZ"), static_cast<double>(run.processed));
}

// Appends a blank row to an own table (opened exclusively, so no lock is involved).
xbase::Table* appendRow(const std::string& alias) {
  tables::OnAlias on(alias);
  if (!on.ok() || !tables::NETAPPEND()) return nullptr;
  return tables::current();
}

}  // namespace

std::string numberDetail(double value, int decimals) {
  return base::formatDecimal({value, decimals});
}

bool NORMFEHLER(int number, const std::optional<std::string>& detail) {
  xbase::Table* texts = tables::table("DNORMERT");
  if (!texts || !seekNumber(*texts, number)) return false;
  std::string message(trimRight(fieldText(*texts, "FEHLER")));
  if (detail) message += "(" + *detail + ")";

  RunState& run = runState();
  run.lastError = message;
  showText(ctl::kLastErrorText, message);
  showNumber(ctl::kErrors, ++run.errors);
  if (fieldLogical(*texts, "OHNE")) return true;

  if (xbase::Table* log = appendRow("DNORMERR")) {
    stampRow(*log);
    if (number >= kFirstArticleError) setField(*log, "ARTIKEL", run.currentArticle);
    setNumberField(*log, "FEHLERNR", number);
    setField(*log, "FEHLER", message);
  }
  return true;
}

bool NORMPROTOKOLL(const std::string& article, ProtocolKind kind, const std::string& oldNumber) {
  if (xbase::Table* protocol = appendRow("DNORMPRO")) {
    stampRow(*protocol);
    setField(*protocol, "ARTIKEL", article);
    setField(*protocol, "VORGANG",
             base::ansi(kind == ProtocolKind::kDeletion ? "Löschung" : "Änderung"));
    setField(*protocol, "ALTNR", oldNumber);
  }
  return true;
}

}  // namespace dnorm
