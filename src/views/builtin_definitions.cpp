#include "views/builtin_definitions.h"

#include <map>

#include "base/cp1252.h"

namespace views {

namespace {

struct Column {
  const char* expression;
  const char* header;  // UTF-8
  bool right;
};

DisplayDefinition definitionOf(std::initializer_list<Column> columns) {
  DisplayDefinition d;
  for (const Column& c : columns) {
    d.expressions.push_back(c.expression);
    d.headers.push_back(base::ansi(c.header));
    d.aligns.push_back(c.right);
  }
  return d;
}

const std::map<std::string, DisplayDefinition>& builtIns() {
  static const std::map<std::string, DisplayDefinition> definitions = {
      {"DNORMWGR", definitionOf({{"JaNein(Dnormwgr->Mit_Dieser)", "Einschließen", false},
                                 {"Dnormwgr->Wagru", "Haupt-Warengruppe", false},
                                 {"Dnormwgr->Text", "Text", false}})},
      {"DNORMRAB", definitionOf({{"Dnormrab->Rabattgrup", "Rabattgruppe", false},
                                 {"Dnormrab->Text", "Beschreibung", false},
                                 {"STR(Dnormrab->Multi)", "Multiplikator", true}})},
      {"DNORMERT", definitionOf({{"STR(Dnormert->FehlerNr)", "Fehler-Nr.", true},
                                 {"JaNein(Dnormert->Ohne)", "Ignorieren", false},
                                 {"Dnormert->Fehler", "Fehler", false},
                                 {"Dnormert->Kommentar", "Kommentar", false}})},
      {"DNORMERR", definitionOf({{"DTOC(Dnormerr->Datum)", "Datum", false},
                                 {"Dnormerr->Zeit", "Zeit", false},
                                 {"Dnormerr->Datei", "Datei", false},
                                 {"STR(Dnormerr->Satz)", "Satz-Nr.", true},
                                 {"Dnormerr->Artikel", "Artikel", false},
                                 {"STR(Dnormerr->FehlerNr)", "Fehler-Nr.", true},
                                 {"Dnormerr->Fehler", "Fehler", false}})},
      {"DNORMPRO", definitionOf({{"Dnormpro->Artikel", "Artikel-Nr.", false},
                                 {"Dnormpro->Vorgang", "Vorgang", false},
                                 {"Dnormpro->Altnr", "Alte Artikel-Nr.", false},
                                 {"DTOC(Dnormpro->Datum)", "Datum", false},
                                 {"Dnormpro->Zeit", "Zeit", false},
                                 {"Dnormpro->Datei", "Datei", false},
                                 {"STR(Dnormpro->Satz)", "Satz-Nr.", true}})},
  };
  return definitions;
}

}  // namespace

std::optional<DisplayDefinition> builtInDefinition(const std::string& alias) {
  auto it = builtIns().find(base::upperAnsi(alias));
  if (it == builtIns().end()) return std::nullopt;
  return it->second;
}

}  // namespace views
