#include "tables/net.h"

#include <algorithm>

#include "base/cp1252.h"
#include "tables/catalogue.h"
#include "tables/lock_dialog.h"
#include "tables/own_files.h"
#include "ui/port.h"
#include "util/files.h"
#include "xbase/common/file.h"

namespace tables {

namespace {

bool g_shared = true;
bool g_commit = true;

bool hasExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// The file a table or index name stands for: file-system bytes, `extension` added when the
// name has none, a relative name taken from the program directory.
std::string fileSystemPath(const std::string& ansiName, const char* extension) {
  std::string path = base::utf8FromAnsi(ansiName);
  if (!hasExtension(path)) path += extension;
  if (path.front() != '/') return inProgramDirectory(path);
  return xbase::resolveCaseInsensitive(path);
}

// The file name without folder and extension.
std::string baseName(const std::string& file) {
  std::string name(util::fileNamePart(file));
  return name.substr(0, name.rfind('.'));
}

// Replaces the table's order list with the index files in this order; the first order of the
// first file becomes the controlling one.
bool attachIndexes(xbase::Table& table, const std::vector<std::string>& paths) {
  table.clearIndexes();
  for (const std::string& path : paths)
    if (!table.attachIndex(path).isOk()) return false;
  return true;
}

}  // namespace

bool SETSHARED(std::optional<bool> mode) {
  if (mode) g_shared = *mode;
  return g_shared;
}

bool SETCOMMIT(std::optional<bool> flag) {
  if (flag) g_commit = *flag;
  return g_commit;
}

bool NETUSE(const std::string& file, std::optional<bool> shared, const std::string& alias,
            bool wait) {
  std::string name = alias.empty() ? baseName(file) : alias;
  if (file.empty() || isOpen(name)) return false;
  xbase::Table::Options options;
  options.mode = shared.value_or(g_shared) ? xbase::OpenMode::Shared : xbase::OpenMode::Exclusive;
  std::string path = fileSystemPath(file, ".dbf");
  NetworkWait waiting(file + base::ansi(" kann nicht geöffnet werden."));
  std::unique_ptr<xbase::Table> opened;
  for (;;) {
    xbase::Status st = xbase::Table::open(path, options, &opened);
    if (st.isOk()) break;
    // Only a file that another program holds is worth waiting for.
    if (st.code() != xbase::Status::Code::Locked || !wait || !waiting.tryAgain()) return false;
  }
  addTable(name, std::move(opened));
  return true;
}

bool NETOPEN(const std::string& file, std::optional<bool> shared, const std::string& alias,
             bool wait) {
  std::string name = alias.empty() ? baseName(file) : alias;
  if (isOpen(name)) return true;
  if (!NETUSE(file, shared, name, wait)) return false;
  std::vector<std::string> indexes = GETINDEX(baseName(file));
  if (indexes.empty()) return true;
  std::string tablePath = current()->path();
  std::string folder = tablePath.substr(0, tablePath.find_last_of('/') + 1);
  std::vector<std::string> paths;
  for (const std::string& index : indexes)
    paths.push_back(xbase::resolveCaseInsensitive(folder + base::utf8FromAnsi(index) + ".cdx"));
  if (attachIndexes(*current(), paths)) return true;
  NETCLOSE(name);
  return false;
}

bool NETINDEX(const std::vector<std::string>& names, const std::string& folder) {
  if (names.empty()) return true;
  xbase::Table* t = current();
  if (!t) return false;
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(fileSystemPath(folder + name, ".cdx"));
  return attachIndexes(*t, paths);
}

bool NETCLOSE(const std::string& alias) {
  std::string closing = alias.empty() ? currentAlias() : alias;
  // Closing the current table leaves none current; closing another keeps the current one.
  if (!closing.empty()) closeTable(closing);
  if (alias.empty()) selectNone();
  return true;
}

bool NETORDER(int n) {
  xbase::Table* t = current();
  if (!t) return false;
  t->setOrder(n);
  return t->order() == n;
}

bool NETAPPEND() {
  xbase::Table* t = current();
  if (!t) return false;
  NetworkWait waiting("");
  for (;;) {
    xbase::Status st = t->append();
    if (st.isOk()) return true;
    if (st.code() != xbase::Status::Code::Locked || !waiting.tryAgain()) return false;
  }
}

bool NETRLOCK(std::optional<uint32_t> recno, bool wait) {
  xbase::Table* t = current();
  if (!t) return false;
  uint32_t r = recno.value_or(t->recNo());
  std::vector<uint32_t> held = t->lockedRecords();
  if (std::find(held.begin(), held.end(), r) != held.end()) return false;
  auto tryLock = [t, r] { return t->lockRecord(r).isOk(); };
  if (tryLock()) return true;
  return wait && lockInDialog(tryLock);
}

bool NETUNLOCK(std::optional<uint32_t> recno, std::optional<bool> commit) {
  xbase::Table* t = current();
  if (!t) return true;
  if (commit.value_or(g_commit)) t->commit();
  xbase::Status st = recno ? t->unlockRecord(*recno) : t->unlockAll();
  if (st.isOk()) return true;
  ui::port().alert("Netzwerkfehler", "Ein Datensatz konnte nicht geschrieben werden\r\n" +
                                         base::ansi(st.message()));
  return false;
}

bool NETDELETE() {
  xbase::Table* t = current();
  // A record of a shared table is written only under its lock.
  bool refused = !t || t->eof() || !t->isLocked(t->recNo()) || !t->deleteRecord().isOk();
  if (!refused) return true;
  ui::port().alert("Netzwerkfehler", base::ansi("Ein Datensatz konnte nicht gelöscht werden"));
  return false;
}

}  // namespace tables
