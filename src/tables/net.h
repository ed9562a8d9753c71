#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tables/network_wait.h"
#include "tables/workspace.h"

namespace tables {

// The shared-access layer: every open, close, append, lock, unlock and delete of a table
// goes through these functions. Open tables live in one program-wide workspace under an
// alias (see workspace.h); one of them is the current table.
// Texts passed in and shown are Windows-1252.

// Default open mode (true = shared); given a value, sets it first.
bool SETSHARED(std::optional<bool> mode = std::nullopt);
// Commit-on-unlock flag; given a value, sets it first.
bool SETCOMMIT(std::optional<bool> flag = std::nullopt);

// Opens one table (no index) as the current table. `file` is a file name with a folder or
// relative to the program directory, ".dbf" when it has no extension; `alias` defaults to
// the file name without folder and extension. A table held by another process is retried
// (3 s silently, then the question "<file> kann nicht geöffnet werden.\rWarten ?" titled
// "Netzwerksperre" every 5 s) when `wait` is true. An alias already open gives false.
bool NETUSE(const std::string& file, std::optional<bool> shared = std::nullopt,
            const std::string& alias = {}, bool wait = true);
// NETUSE plus the catalogue's index files (the first order controlling); an alias already
// open returns true at once and changes nothing. A failed index closes the table again.
bool NETOPEN(const std::string& file, std::optional<bool> shared = std::nullopt,
             const std::string& alias = {}, bool wait = true);
// Replaces the order list of the current table with these index files (folder put in
// front of each name, ".cdx" when a name has no extension); the first becomes the
// controlling order. An empty list changes nothing.
bool NETINDEX(const std::vector<std::string>& names, const std::string& folder = {});
// Closes the table under `alias` (the current one when empty) and restores the previous
// current table. An alias that is not open changes nothing.
bool NETCLOSE(const std::string& alias = {});
// Makes order n (from 1) the controlling order of the current table.
bool NETORDER(int n);
// Appends a blank record to the current table, keeping the locks already held; in shared
// mode the new record is locked. A blocked append waits like NETUSE (question without text).
bool NETAPPEND();
// Locks a record of the current table (default: the current record); with `wait` the lock
// dialog "Satz konnte nicht gesperrt werden" retries until the lock comes or the user
// cancels. A record this program already holds gives false.
bool NETRLOCK(std::optional<uint32_t> recno = std::nullopt, bool wait = true);
// Writes buffered changes when `commit` (default: the commit-on-unlock flag), then
// releases the lock on `recno`, or every record lock of the current table. A change that
// cannot be written (also without `commit`, the record's own change is written before its
// lock goes) is reported as "Ein Datensatz konnte nicht geschrieben werden" titled
// "Netzwerkfehler" and gives false; the locks are released all the same.
bool NETUNLOCK(std::optional<uint32_t> recno = std::nullopt,
               std::optional<bool> commit = std::nullopt);
// Marks the current record deleted; a refusal (no current record, or in shared mode no lock
// on it) shows "Ein Datensatz konnte nicht gelöscht werden" titled "Netzwerkfehler".
bool NETDELETE();

}  // namespace tables
