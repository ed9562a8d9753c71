#include "views/display_definition.h"

#include <optional>

#include "base/cp1252.h"
#include "tables/table_helpers.h"
#include "ui/port.h"
#include "views/builtin_definitions.h"
#include "views/definition_sources.h"
#include "views/row_callback.h"

namespace views {

namespace {

// The installation's definition: the definition table, else the definition file.
DisplayDefinition installedDefinition(const std::string& alias, const std::string& name) {
  DisplayDefinition definition = readDefinitionTable(name);
  if (definition.expressions.empty()) definition = readDefinitionFile(alias);
  return definition;
}

void reportBadExpression(const std::string& alias, const std::string& expression) {
  ui::port().alert("Anzeigedefinition",
                   base::ansi("Die Anzeigedefinition der Tabelle ") + alias +
                       base::ansi(" enthält einen fehlerhaften Ausdruck:\r\n") + expression +
                       "\r\nEs wird die Standardanzeige verwendet.");
}

}  // namespace

bool GETINFOTABELLE(const std::string& alias, RowCallback& row, std::vector<std::string>& headers,
                    std::vector<bool>& aligns, const std::string& definitionName) {
  std::string upperAlias = base::upperAnsi(alias);
  std::string name = definitionName.empty() ? upperAlias : base::upperAnsi(definitionName);
  DisplayDefinition definition = installedDefinition(upperAlias, name);
  std::optional<DisplayDefinition> builtIn = builtInDefinition(upperAlias);
  std::string failed;
  if (!definition.expressions.empty() &&
      !compileRowCallback(upperAlias, definition.expressions, row, failed)) {
    if (!failed.empty()) reportBadExpression(upperAlias, failed);
    definition = {};
  }
  if (definition.expressions.empty()) {
    if (!builtIn || !compileRowCallback(upperAlias, builtIn->expressions, row, failed))
      return false;
    definition = *builtIn;
  }
  headers = definition.headers;
  aligns = definition.aligns;
  return true;
}

void displayColumns(const std::string& alias, RowCallback& row, std::vector<std::string>& headers,
                    std::vector<bool>& aligns) {
  if (GETINFOTABELLE(alias, row, headers, aligns)) return;
  headers = tables::GETFELDER(alias);
  aligns.clear();
  for (char type : tables::GETFELDTYPEN(alias)) aligns.push_back(type == 'N' || type == 'F');
  std::string failed;
  if (!compileRowCallback(alias, headers, row, failed)) row = {};
}

}  // namespace views
