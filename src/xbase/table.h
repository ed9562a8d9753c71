#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/cdx_file.h"
#include "xbase/dbf/dbf_file.h"
#include "xbase/expr/expression.h"
#include "xbase/index_order.h"
#include "xbase/lock_scheme.h"

namespace xbase {

// Called once per record while an index is built: record number and record count.
using KeyProgress = std::function<void(uint32_t recno, uint32_t total)>;

// One open table with its attached compound index files: the record buffer, navigation
// in record or index order, field access and index maintenance. Changes to the current
// record are buffered and written (record first, then the keys of every attached tag)
// when the record is left, on commit() and on close.
class Table {
 public:
  struct Options {
    OpenMode mode = OpenMode::Shared;
    FileSystem* fs = nullptr;  // the real file system when null
  };

  static Status open(const std::string& path, const Options& options, std::unique_ptr<Table>* out);
  // Creates an empty dBASE III table. `structuralIndex` marks the table as owning a compound
  // index of its own name (table flag 0x01), which decides the lock offsets other programs use.
  static Status create(const std::string& path, const FieldList& fields, bool structuralIndex,
                       FileSystem* fs = nullptr);
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Writes what is buffered and closes every file. The destructor does the same, but only
  // close() tells whether it worked.
  Status close();

  // Records marked deleted are skipped by goTop, skip and seek while this is on.
  static void setHideDeleted(bool on);
  static bool hideDeleted();

  // --- structure
  const FieldList& fields() const { return m_dbf->fields(); }
  int fieldIndex(std::string_view name) const { return findField(fields(), name); }
  const std::string& path() const { return m_dbf->path(); }
  OpenMode mode() const { return m_dbf->mode(); }
  DbfFile& dbf() { return *m_dbf; }

  // --- position
  Status recordCount(uint32_t* out) { return m_dbf->recordCount(out); }
  uint32_t recNo() const { return m_recno; }
  bool eof() const { return m_eof; }
  bool bof() const { return m_bof; }
  bool deleted() const { return !m_eof && m_rec[0] == '*'; }
  Status goTo(uint32_t recno);
  Status goTop();
  Status goBottom();
  Status skip(int64_t n = 1);

  // --- fields of the current record (text is Windows-1252 bytes, as stored)
  Value value(int field) const;
  std::string getString(int field) const;  // C: untrimmed bytes
  double getNumber(int field) const;
  int32_t getDate(int field) const;  // Julian day, 0 = empty
  bool getLogical(int field) const;
  std::string_view rawField(int field) const;
  const std::string& recordBytes() const { return m_rec; }
  Status putString(int field, std::string_view text);
  Status putNumber(int field, double value);  // InvalidArgument (and clamped) when too wide
  Status putDate(int field, int32_t julianDay);
  Status putLogical(int field, bool value);
  Status putValue(int field, const Value& value);

  // --- records
  // A blank record at the end, now the current record. In shared mode the append lock is
  // tried once (Status::locked when another program holds it) and the new record stays
  // locked.
  Status append();
  Status deleteRecord();
  Status recall();
  // Writes the buffered record and, in shared mode, every changed index page.
  Status commit();
  Status pack(const KeyProgress& progress = {});
  Status zap();
  // Appends every record of another table, matching fields by name; records marked
  // deleted are left out while deleted records are hidden.
  Status appendFrom(const std::string& path, FileSystem* fs = nullptr);

  // --- locks. In shared mode a record is written only while this program holds its lock
  // (or the file lock); in exclusive mode every lock succeeds at once. The byte offsets are
  // those every FoxPro-compatible program derives from the files (see lock_scheme.h).
  // One attempt; Status::locked when another program holds the record.
  Status lockRecord(uint32_t recno);
  // Both write the current record's changes first. The locks are released even when that
  // write fails; the failure is returned and the change is dropped.
  Status unlockRecord(uint32_t recno);
  Status unlockAll();  // every record lock and the file lock
  bool isLocked(uint32_t recno) const;
  std::vector<uint32_t> lockedRecords() const;
  Status lockFile();  // the whole table; one attempt

  // --- index orders
  // Opens a compound index file and adds all its tags, in creation order, to the order
  // list. An expression we cannot evaluate exactly is an error naming file and expression.
  Status attachIndex(const std::string& cdxPath);
  void clearIndexes();
  size_t orderCount() const { return m_orders.size(); }
  int order() const { return m_order; }  // 0 = record order
  Status setOrder(int n);
  const IndexOrder& orderAt(int n) const { return *m_orders.at(static_cast<size_t>(n - 1)); }
  // Number of the first order whose tag has this name (without regard to case), 0 if none.
  int orderByName(std::string_view tagName) const;
  // Seeks in the controlling order. A character value shorter than the key matches the
  // first key that begins with it. Not found: positioned at end of file.
  Status seek(const Value& key, bool* found);
  Status seek(std::string_view characterKey, bool* found);
  // Writes a new compound index file holding one tag over all records; progress is called
  // once per record in record order. The new file is attached as the controlling order.
  Status createIndex(const std::string& cdxPath, const std::string& tagName,
                     const std::string& keyExpr, const std::string& forExpr = {},
                     const KeyProgress& progress = {});

  // Rebuilds every tag of every attached index file from the records.
  Status reindex(const KeyProgress& progress = {});

  // For every attached tag: the keys its expression and FOR condition give for the
  // records, in order, in a sound tree. One line per tag: "TAG ok N keys" or "TAG BAD: why".
  Status verifyIndexes(std::vector<std::string>* report, bool* allSound);

 private:
  struct Bag {
    std::string path;
    std::unique_ptr<cdx::CdxFile> file;
  };

  class IndexLock;

  Table(std::unique_ptr<DbfFile> dbf, FileSystem* fs);
  std::string alias() const;
  bool shared() const { return m_dbf->mode() != OpenMode::Exclusive; }
  // Takes the read lock of the controlling order's index file (shared mode).
  Status lockControllingIndex(IndexLock& lock);
  Status load(uint32_t recno);
  Status setEof();
  // The same with the record count just read.
  Status setEof(uint32_t count);
  Status flushRecord();
  // flushRecord(); when it fails, the change is dropped and the record read again.
  Status flushBeforeUnlock();
  Status flushIndexes();
  Status checkWritable() const;
  IndexOrder* controlling() const { return m_order ? m_orders[m_order - 1].get() : nullptr; }
  Status topInRecordOrder(int direction);
  Status topInIndexOrder(int direction);
  Status advanceCursor(int direction);
  Status loadVisibleFromCursor(int direction);
  Status syncCursor();
  Status skipOne(int direction);
  Status collectKeys(const IndexOrder& order, cdx::KeyList* keys, const KeyProgress& progress);
  Status addBag(const std::string& path, std::unique_ptr<cdx::CdxFile> file);
  Status rebuildBag(size_t bagIndex, const KeyProgress& progress);

  std::unique_ptr<DbfFile> m_dbf;
  FileSystem* m_fs;
  LockOffsets m_lockOffsets;
  std::set<uint32_t> m_locks;  // records this program holds locked
  bool m_fileLocked = false;
  std::vector<Bag> m_bags;
  std::vector<std::unique_ptr<IndexOrder>> m_orders;  // every tag of every bag, in order
  std::vector<cdx::CdxFile*> m_orderBags;             // the index file of each order
  int m_order = 0;                                     // controlling order, 0 = record order
  cdx::Tag::Cursor m_cursor;
  bool m_cursorSynced = false;  // m_cursor stands on the current record

  // While a record is written: whether each order loses its old key and gains its new one
  // (both false when the key stays), and the index files that change; kept between writes
  // for their buffers.
  struct KeyChange {
    bool remove = false, insert = false;
    std::string oldKey, newKey;
  };
  std::vector<KeyChange> m_keyChanges;
  std::vector<cdx::CdxFile*> m_touchedBags;

  uint32_t m_recno = 0;
  bool m_eof = true;
  bool m_bof = false;
  std::string m_rec;   // current record as changed
  std::string m_orig;  // current record as on disk
  bool m_dirty = false;
  bool m_fresh = false;  // appended, keys not yet in the indexes
};

}  // namespace xbase
