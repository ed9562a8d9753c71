#include "tables/workspace.h"

#include <algorithm>
#include <vector>

#include "base/cp1252.h"

namespace tables {

namespace {

struct Slot {
  std::string alias;
  std::unique_ptr<xbase::Table> table;
};

struct Workspace {
  std::vector<Slot> slots;
  xbase::Table* current = nullptr;
};

Workspace& workspace() {
  static Workspace w;
  return w;
}

std::vector<Slot>::iterator findSlot(const std::string& alias) {
  auto& slots = workspace().slots;
  return std::find_if(slots.begin(), slots.end(),
                      [&](const Slot& s) { return base::equalsIgnoringCase(s.alias, alias); });
}

}  // namespace

xbase::Table* current() {
  return workspace().current;
}

std::string currentAlias() {
  for (const Slot& s : workspace().slots)
    if (s.table.get() == workspace().current) return s.alias;
  return {};
}

xbase::Table* table(const std::string& alias) {
  auto it = findSlot(alias);
  return it == workspace().slots.end() ? nullptr : it->table.get();
}

bool isOpen(const std::string& alias) {
  return table(alias) != nullptr;
}

bool select(const std::string& alias) {
  xbase::Table* t = table(alias);
  if (!t) return false;
  workspace().current = t;
  return true;
}

void selectNone() {
  workspace().current = nullptr;
}

void addTable(const std::string& alias, std::unique_ptr<xbase::Table> table) {
  workspace().current = table.get();
  workspace().slots.push_back({alias, std::move(table)});
}

void closeTable(const std::string& alias) {
  auto it = findSlot(alias);
  if (it == workspace().slots.end()) return;
  if (it->table.get() == workspace().current) workspace().current = nullptr;
  it->table->close();
  workspace().slots.erase(it);
}

void closeAll() {
  for (Slot& s : workspace().slots) s.table->close();
  workspace().slots.clear();
  workspace().current = nullptr;
}

OnAlias::OnAlias(const std::string& alias) : m_previous(currentAlias()), m_ok(select(alias)) {}

OnAlias::~OnAlias() {
  if (m_previous.empty() || !select(m_previous)) selectNone();
}

}  // namespace tables
