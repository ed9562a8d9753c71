#include "tables/structure_repair.h"

#include "base/cp1252.h"
#include "tables/file_results.h"
#include "tables/net.h"
#include "tables/own_files.h"
#include "tables/reorg.h"
#include "ui/port.h"
#include "util/os_error_texts.h"
#include "xbase/common/file.h"

namespace tables {

namespace {

// Records marked deleted stay behind when the records are carried over.
class DeletedHidden {
 public:
  DeletedHidden() : m_was(xbase::Table::hideDeleted()) { xbase::Table::setHideDeleted(true); }
  ~DeletedHidden() { xbase::Table::setHideDeleted(m_was); }
  DeletedHidden(const DeletedHidden&) = delete;
  DeletedHidden& operator=(const DeletedHidden&) = delete;

 private:
  bool m_was;
};

bool checked(const xbase::Status& st) {
  return util::FCHECK(fileResult(st));
}

// Creates the new table in place of the moved one and fills it from the backup.
xbase::Status rebuild(const std::string& name, const Structure& structure, const std::string& path,
                      const std::string& backup) {
  XBASE_RETURN_IF_ERROR(xbase::Table::create(path, fileStructure(structure), true));
  if (!NETUSE(name, false, "", false)) return xbase::Status::ioError(path + ": cannot be opened");
  xbase::Status st;
  {
    DeletedHidden hidden;
    st = current()->appendFrom(backup);
  }
  // The index is written at once: the table is never used with one that does not match it.
  if (st.isOk()) st = writeOwnIndex(*current(), name);
  NETCLOSE(name);
  return st;
}

}  // namespace

bool repairStructure(const std::string& name, const Structure& structure) {
  xbase::FileSystem& fs = xbase::FileSystem::real();
  std::string table = tableFile(name), memo = memoFile(name);
  std::string backup = backupOf(table), backupMemo = backupOf(memo);
  bool withMemo = fs.exists(memo);
  if (fs.exists(backup)) {
    std::string question = base::ansi("Soll die vorhandene Sicherheitskopie: \r\n") +
                           base::ansi(backup) + base::ansi("\r\ngelöscht werden?");
    if (!ui::port().question("Test Datenbankstrukur", question)) return false;
    if (!checked(fs.remove(backup))) return false;
  }
  if (fs.exists(backupMemo) && !checked(fs.remove(backupMemo))) return false;
  if (!checked(fs.rename(table, backup))) return false;
  if (withMemo && !checked(fs.rename(memo, backupMemo))) {
    fs.rename(backup, table);
    return false;
  }
  xbase::Status st = rebuild(name, structure, table, backup);
  if (st.isOk()) return true;
  // The old table goes back in place; the user is told why the table stays as it was.
  fs.remove(table);
  fs.rename(backup, table);
  if (withMemo) fs.rename(backupMemo, memo);
  ui::port().information("Test Datenbankstruktur", "Datenbank: " + name +
                                                       " konnte nicht angepasst werden\r\n" +
                                                       util::DOSFEHLER(-fileResult(st)));
  return false;
}

}  // namespace tables
