#include "import/deletion.h"

#include <vector>

#include "base/cp1252.h"
#include "tables/net.h"
#include "ui/port.h"

namespace dnorm {

namespace {

struct Emptied {
  const char* table;
  const char* refusal;  // shown when the table cannot be opened exclusively
};

const Emptied kProductGroups{"Dnormwgr", "Kann Hauptwarengruppen nicht exklusiv öffnen"};
const Emptied kDiscountGroups{"Dnormrab", "Kann Rabattgruppen nicht exklusiv öffnen"};
const Emptied kErrorLog{"Dnormerr", "Kann Fehlerprotokoll nicht exklusiv öffnen"};
const Emptied kProtocol{"Dnormpro", "Kann Artikel-Löschprotokoll nicht exklusiv öffnen"};

std::vector<Emptied> tablesOfKind(int kind) {
  switch (kind) {
    case 1:
      return {kProductGroups};
    case 3:
      return {kDiscountGroups};
    case 4:
      return {kErrorLog};
    case 6:
      return {kProtocol};
    case 7:
      return {kProductGroups, kDiscountGroups, kErrorLog, kProtocol};
    default:
      return {};
  }
}

}  // namespace

bool NORMLOESCHEN(int kind) {
  for (const Emptied& entry : tablesOfKind(kind)) {
    if (!tables::NETOPEN(entry.table, false)) {
      ui::port().alert(base::ansi("Datenbank löschen"), base::ansi(entry.refusal));
      return false;
    }
    DBKONTROLLE(entry.table, std::nullopt, true);
    tables::NETCLOSE(entry.table);
  }
  return true;
}

bool DBKONTROLLE(const std::string& alias, const std::optional<std::string>& question,
                 bool silently) {
  xbase::Table* table = tables::table(alias);
  uint32_t count = 0;
  if (!table || !table->recordCount(&count).isOk() || count == 0) return true;
  if (!silently) {
    std::string text =
        question.value_or("Datenbank: " + alias) + "\r\n" + base::ansi("Alle Daten löschen?");
    if (!ui::port().question(base::ansi("Vorhandene Daten löschen"), text, true)) return true;
  }
  table->zap();
  return true;
}

}  // namespace dnorm
