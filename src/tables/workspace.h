#pragma once

#include <memory>
#include <string>

#include "xbase/table.h"

namespace tables {

// The program's open tables under their aliases (compared without regard to case); at most
// one of them is the current table, the one an operation given no alias works on.

// The current table, or nullptr.
xbase::Table* current();
// The alias of the current table, empty when none is current.
std::string currentAlias();
// The table open under `alias`, or nullptr.
xbase::Table* table(const std::string& alias);
bool isOpen(const std::string& alias);
// Makes the table under `alias` current; false when no such alias is open.
bool select(const std::string& alias);
// Makes no table current.
void selectNone();

// Adds an opened table under `alias` (which must not be open yet) as the current table.
void addTable(const std::string& alias, std::unique_ptr<xbase::Table> table);
// Closes the table under `alias`; when it was current, no table is current afterwards.
void closeTable(const std::string& alias);
// Closes every open table (program end, reorganisation, tests).
void closeAll();

// Runs an operation "on" an alias: makes it current for the scope's lifetime, then restores
// the previous current table.
class OnAlias {
 public:
  explicit OnAlias(const std::string& alias);
  ~OnAlias();
  OnAlias(const OnAlias&) = delete;
  OnAlias& operator=(const OnAlias&) = delete;
  bool ok() const { return m_ok; }

 private:
  std::string m_previous;
  bool m_ok;
};

}  // namespace tables
