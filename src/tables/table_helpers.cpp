#include "tables/table_helpers.h"

#include "tables/net.h"

namespace tables {

std::vector<std::string> GETFELDER(const std::string& alias) {
  std::vector<std::string> names;
  if (xbase::Table* t = table(alias))
    for (const xbase::FieldDef& f : t->fields()) names.push_back(f.name);
  return names;
}

std::vector<char> GETFELDTYPEN(const std::string& alias) {
  std::vector<char> types;
  if (xbase::Table* t = table(alias))
    for (const xbase::FieldDef& f : t->fields()) types.push_back(f.type);
  return types;
}

bool ZEILELOESCHEN(const std::string& alias, const std::function<void()>& resyncList,
                   const std::function<bool()>& confirm) {
  if (confirm && !confirm()) return false;
  OnAlias on(alias);
  if (!on.ok()) return false;
  if (NETRLOCK()) {
    NETDELETE();
    NETUNLOCK();
  }
  current()->skip(1);
  if (resyncList) resyncList();
  return true;
}

}  // namespace tables
