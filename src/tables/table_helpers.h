#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tables {

// The field names (as stored, upper case) of the table open under `alias`, in field order;
// empty when no such alias is open.
std::vector<std::string> GETFELDER(const std::string& alias);
// The field type letters of the table open under `alias`, in field order.
std::vector<char> GETFELDTYPEN(const std::string& alias);

// Deletes the current record of the table shown in a list: asks `confirm` first (when
// given; false changes nothing and gives false), then locks the record, marks it deleted and
// unlocks it (a record that cannot be locked stays), moves to the next record and lets the
// list re-synchronise with the table through `resyncList`. `alias` names the displayed
// table; true unless confirmation was refused or no such table is open.
bool ZEILELOESCHEN(const std::string& alias, const std::function<void()>& resyncList,
                   const std::function<bool()>& confirm = {});

}  // namespace tables
