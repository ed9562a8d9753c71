#include "views/definition_sources.h"

#include "base/cp1252.h"
#include "tables/net.h"
#include "tables/own_files.h"
#include "util/ini_lists.h"
#include "xbase/common/file.h"

namespace views {

namespace {

constexpr const char* kFolder = "tabelle/";
constexpr const char* kAlias = "TABDEF";
constexpr const char* kPosKey = "_Field->Pos";

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A field's text, or the empty text when the table lacks the field.
std::string fieldText(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  return field < 0 ? std::string() : table.getString(field);
}

bool fieldFlag(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  return field >= 0 && table.getLogical(field);
}

// Builds the POS index of the open definition table anew, as the controlling order.
bool indexByPosition(xbase::Table& table, const std::string& name) {
  const std::string& path = table.path();
  std::string cdx = xbase::resolveCaseInsensitive(path.substr(0, path.find_last_of('/') + 1) +
                                                  base::utf8FromAnsi(name) + ".cdx");
  return table.createIndex(cdx, name, kPosKey).isOk();
}

}  // namespace

DisplayDefinition readDefinitionTable(const std::string& name) {
  DisplayDefinition definition;
  std::string file = kFolder + name;
  if (!xbase::FileSystem::real().exists(
          tables::inProgramDirectory(base::utf8FromAnsi(file) + ".dbf"))) {
    return definition;
  }
  std::string previous = tables::currentAlias();
  if (!tables::NETUSE(file, true, kAlias)) return definition;
  xbase::Table& table = *tables::table(kAlias);
  if (indexByPosition(table, name)) {
    while (!table.eof()) {
      if (!table.deleted()) {
        definition.expressions.push_back(trimmed(fieldText(table, "LINE")));
        definition.headers.push_back(trimmed(fieldText(table, "HEADER")));
        definition.aligns.push_back(fieldFlag(table, "ALIGN"));
      }
      if (!table.skip().isOk()) break;
    }
  }
  tables::NETCLOSE(kAlias);
  tables::select(previous);
  return definition;
}

DisplayDefinition readDefinitionFile(const std::string& alias) {
  std::string file = tables::inProgramDirectory(kFolder + base::utf8FromAnsi(alias) + ".def");
  DisplayDefinition definition;
  definition.expressions = util::GETINIARRAY("Line", file);
  definition.headers = util::GETINIARRAY("Header", file);
  for (const std::string& align : util::GETINIARRAY("Align", file))
    definition.aligns.push_back(align.starts_with('J'));
  return definition;
}

}  // namespace views
