#include "tables/structure_check.h"

#include <filesystem>

#include "base/cp1252.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/own_files.h"
#include "tables/structure_compare.h"
#include "tables/structure_repair.h"
#include "tables/table_startup.h"
#include "ui/port.h"

namespace tables {

namespace {

constexpr const char* kTitle = "Test Datenbankstruktur";

// Reports the differences of the table open as current; true when the user wants it repaired.
bool reportDifferences(const std::string& name, const StructureComparison& comparison) {
  for (const StructureFinding& finding : comparison.findings) {
    ui::MessageKind kind = finding.kind == StructureFinding::Kind::OtherType
                               ? ui::MessageKind::Alert
                               : ui::MessageKind::Information;
    ui::port().showMessage(kind, kTitle, findingText(name, finding));
  }
  return comparison.repairable &&
         ui::port().question(kTitle, "Soll die Datenbank: " + name + " jetzt angepasst werden?");
}

void checkTable(const std::string& name) {
  ui::port().showWaitMessage("Kontrolliere " + name);
  if (!NETUSE(name, false, "", false)) {
    ui::port().information(kTitle,
                           "Kann Datenbank: " + name + base::ansi(" nicht exclusiv öffnen"));
    return;
  }
  StructureComparison comparison = compareStructure(GETSTRUKTUR(name), actualStructure(*current()));
  bool repair = reportDifferences(name, comparison);
  NETCLOSE(name);
  if (!repair) return;
  ui::port().setWaitCursor(true);
  repairStructure(name, comparison.corrected);
  ui::port().setWaitCursor(false);
}

}  // namespace

bool TESTSTRUKTUR(bool childWindowsOpen) {
  if (childWindowsOpen) {
    ui::port().information(kTitle,
                           base::ansi("Vor der Überprüfung der Datenbankstrukturen müssen alle "
                                      "Arbeitsbereiche geschlossen werden!"));
    return false;
  }
  checkOwnTables();
  std::error_code ec;
  std::filesystem::create_directory(backupFolder(),
                                    ec);  // a failure shows when a repair moves a file
  closeAll();
  for (const std::string& name : GETDBFS()) checkTable(name);
  ui::port().endWaitMessage();
  return true;
}

}  // namespace tables
