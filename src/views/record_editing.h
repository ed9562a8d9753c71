#pragma once

#include <functional>
#include <string>

#include "xbase/table.h"

namespace views {

// What the record editors of the table browser store, on the current table (the browsed
// one). `title` is the browser's title, which also titles every message of its editors.

// The key check before a record is stored: false, after the information "<key> wird bereits
// benutzt!", when a visible record other than the current one (any record, for a new one)
// has the key in the controlling order. Keys compare exactly as stored, so "a1" and "A1" are
// different codes. The table is back on the record it was on afterwards.
bool keyIsFree(xbase::Table& table, const xbase::Value& key, const std::string& keyText, bool isNew,
               const std::string& title);

// Appends a record (isNew) or locks the current one, writes the fields through `write` and
// unlocks. False, with nothing written, when the append or the lock is not obtained.
bool storeRecord(bool isNew, const std::function<void(xbase::Table&)>& write);

// The records as their editors show them: texts without their trailing blanks, which
// storing puts back. A default record is a new one.

// A main product group (DNORMWGR).
struct GroupRecord {
  std::string code;  // Wagru
  std::string text;
  bool include = true;  // Mit_Dieser
};
// A discount group (DNORMRAB).
struct DiscountRecord {
  std::string code;  // Rabattgrup
  std::string text;
  double multiplier = 0;  // Multi
};
// An error text (DNORMERT); only `ignore` can be changed.
struct ErrorTextRecord {
  double number = 0;    // FehlerNr
  std::string text;     // Fehler
  std::string comment;  // Kommentar
  bool ignore = false;  // Ohne
};

// The current record of the table.
GroupRecord currentGroup(const xbase::Table& table);
DiscountRecord currentDiscount(const xbase::Table& table);
ErrorTextRecord currentErrorText(const xbase::Table& table);

// Store what an editor confirmed, after its checks (required code, key check; for error
// texts a number of at least 0). True when written.
bool saveGroup(const GroupRecord& record, bool isNew, const std::string& title);
bool saveDiscount(const DiscountRecord& record, bool isNew, const std::string& title);
bool saveErrorText(const ErrorTextRecord& record, const std::string& title);

}  // namespace views
