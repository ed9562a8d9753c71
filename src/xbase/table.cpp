#include "xbase/table.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>

#include "xbase/dbf/field_writer.h"

namespace xbase {

namespace {

std::atomic<bool> g_hideDeleted{false};

constexpr uint32_t kScanChunk = 4096;  // records read at once when scanning a table

std::string baseName(const std::string& path) {
  auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  auto dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// The path with its extension (if any) replaced.
std::string withExtension(const std::string& path, const char* ext) {
  auto slash = path.find_last_of('/');
  auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
  return path.substr(0, dot) + ext;
}

std::string upper(std::string s) {
  for (auto& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Other programs hold an index lock only for the moment of one tree walk or update, and
// wait for it themselves; so do we, within a bound.
constexpr auto kIndexLockPatience = std::chrono::seconds(10);

Status lockWaiting(File& file, uint64_t offset, LockType type) {
  auto deadline = std::chrono::steady_clock::now() + kIndexLockPatience;
  for (;;) {
    Status st = file.lockRange(offset, 1, type);
    if (st.code() != Status::Code::Locked || std::chrono::steady_clock::now() > deadline) return st;
    timespec pause{0, 200000};  // 0.2 ms
    nanosleep(&pause, nullptr);
  }
}

}  // namespace

// In shared mode: holds the index lock of compound index files for one operation, after
// making sure their cached pages are what the files hold now.
class Table::IndexLock {
 public:
  explicit IndexLock(const Table& table) : m_shared(table.shared()) {
    if (m_shared) m_held.reserve(table.m_bags.size());
  }
  ~IndexLock() {
    for (auto* f : m_held) f->file().unlockRange(kIndexLockOffset, 1);
  }
  Status take(cdx::CdxFile& f, LockType type) {
    if (!m_shared) return Status::ok();
    XBASE_RETURN_IF_ERROR(lockWaiting(f.file(), kIndexLockOffset, type));
    m_held.push_back(&f);
    return f.refresh();
  }

 private:
  bool m_shared;
  std::vector<cdx::CdxFile*> m_held;
};

void Table::setHideDeleted(bool on) { g_hideDeleted = on; }
bool Table::hideDeleted() { return g_hideDeleted; }

Table::Table(std::unique_ptr<DbfFile> dbf, FileSystem* fs) : m_dbf(std::move(dbf)), m_fs(fs) {
  // Other programs open a table's structural index with it and then use the other set of
  // lock offsets; decide from the files, as they do.
  bool structural = m_dbf->header().hasStructuralIndex() &&
                    m_fs->exists(withExtension(m_dbf->path(), ".cdx"));
  m_lockOffsets = lockOffsets(lockScheme(), structural, m_dbf->header().headerLength,
                              m_dbf->recordLength());
}

Table::~Table() { close(); }

Status Table::open(const std::string& path, const Options& options, std::unique_ptr<Table>* out) {
  FileSystem* fs = options.fs ? options.fs : &FileSystem::real();
  std::unique_ptr<DbfFile> dbf;
  XBASE_RETURN_IF_ERROR(DbfFile::open(*fs, path, options.mode, &dbf));
  std::unique_ptr<Table> table(new Table(std::move(dbf), fs));
  XBASE_RETURN_IF_ERROR(table->goTop());
  *out = std::move(table);
  return Status::ok();
}

Status Table::create(const std::string& path, const FieldList& fields, bool structuralIndex,
                     FileSystem* fs) {
  std::unique_ptr<DbfFile> dbf;
  return DbfFile::create(fs ? *fs : FileSystem::real(), path, fields, structuralIndex, &dbf);
}

Status Table::close() {
  if (!m_dbf) return Status::ok();
  Status st = flushRecord();
  Status flushed = flushIndexes();
  if (st.isOk()) st = flushed;
  m_orders.clear();
  m_orderBags.clear();
  m_bags.clear();
  m_dbf.reset();
  return st;
}

std::string Table::alias() const { return baseName(m_dbf->path()); }

// --- position ---------------------------------------------------------------------------

Status Table::load(uint32_t recno) {
  XBASE_RETURN_IF_ERROR(m_dbf->readRecord(recno, m_rec));
  m_orig = m_rec;
  m_recno = recno;
  m_eof = false;
  m_dirty = m_fresh = false;
  m_cursorSynced = false;
  return Status::ok();
}

Status Table::setEof() {
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
  return setEof(count);
}

Status Table::setEof(uint32_t count) {
  m_recno = count + 1;
  m_rec = m_orig = m_dbf->blankRecord();
  m_eof = true;
  m_dirty = m_fresh = false;
  m_cursorSynced = false;
  return Status::ok();
}

Status Table::goTo(uint32_t recno) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_bof = false;
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
  if (recno < 1 || recno > count) return setEof(count);
  return load(recno);
}

Status Table::lockControllingIndex(IndexLock& lock) {
  return controlling() ? lock.take(*m_orderBags[m_order - 1], LockType::Read) : Status::ok();
}

Status Table::goTop() {
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_bof = false;
  IndexLock lock(*this);
  XBASE_RETURN_IF_ERROR(lockControllingIndex(lock));
  return controlling() ? topInIndexOrder(+1) : topInRecordOrder(+1);
}

Status Table::goBottom() {
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_bof = false;
  IndexLock lock(*this);
  XBASE_RETURN_IF_ERROR(lockControllingIndex(lock));
  return controlling() ? topInIndexOrder(-1) : topInRecordOrder(-1);
}

// First visible record walking in `direction` from the corresponding end of the table.
Status Table::topInRecordOrder(int direction) {
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
  for (int64_t r = direction > 0 ? 1 : count; r >= 1 && r <= count; r += direction) {
    XBASE_RETURN_IF_ERROR(load(static_cast<uint32_t>(r)));
    if (!(g_hideDeleted && deleted())) return Status::ok();
  }
  return setEof(count);
}

Status Table::topInIndexOrder(int direction) {
  IndexOrder* o = controlling();
  // Logical order runs backwards through a descending tag.
  bool physicalFirst = (direction > 0) != o->descending();
  XBASE_RETURN_IF_ERROR(physicalFirst ? o->tag().first(m_cursor) : o->tag().last(m_cursor));
  return loadVisibleFromCursor(direction);
}

Status Table::advanceCursor(int direction) {
  bool physicalNext = (direction > 0) != controlling()->descending();
  return physicalNext ? controlling()->tag().next(m_cursor) : controlling()->tag().prev(m_cursor);
}

// Loads the record under the cursor, moving on in `direction` past hidden deleted records.
Status Table::loadVisibleFromCursor(int direction) {
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
  while (m_cursor.valid) {
    if (m_cursor.recno < 1 || m_cursor.recno > count)
      return Status::corruption(controlling()->tag().info().name + ": index entry points to record " +
                                std::to_string(m_cursor.recno) + " of " + std::to_string(count));
    XBASE_RETURN_IF_ERROR(load(m_cursor.recno));
    if (!(g_hideDeleted && deleted())) {
      m_cursorSynced = true;
      return Status::ok();
    }
    XBASE_RETURN_IF_ERROR(advanceCursor(direction));
  }
  return setEof(count);
}

// Puts the cursor of the controlling order on the current record.
Status Table::syncCursor() {
  if (m_cursorSynced) return Status::ok();
  IndexOrder* o = controlling();
  RecordRef rec{m_rec, m_recno};
  if (!o->includes(rec)) return Status::notFound("current record is not in the controlling order");
  std::string key;
  o->key(rec, key);
  XBASE_RETURN_IF_ERROR(o->tag().seekGE(key, m_recno, m_cursor));
  if (!m_cursor.valid || m_cursor.recno != m_recno || m_cursor.key != key)
    return Status::corruption(o->tag().info().name + ": record " + std::to_string(m_recno) +
                              " has no key in the index");
  m_cursorSynced = true;
  return Status::ok();
}

Status Table::skip(int64_t n) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_bof = false;
  IndexLock lock(*this);
  XBASE_RETURN_IF_ERROR(lockControllingIndex(lock));
  int direction = n < 0 ? -1 : 1;
  for (int64_t i = 0; i < (n < 0 ? -n : n); ++i) {
    XBASE_RETURN_IF_ERROR(skipOne(direction));
    if (m_eof || m_bof) break;
  }
  return Status::ok();
}

Status Table::skipOne(int direction) {
  if (m_eof) {
    if (direction > 0) return Status::ok();
    return controlling() ? topInIndexOrder(-1) : topInRecordOrder(-1);
  }
  if (!controlling()) {
    uint32_t count = 0;
    XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
    for (int64_t r = static_cast<int64_t>(m_recno) + direction; r >= 1 && r <= count; r += direction) {
      XBASE_RETURN_IF_ERROR(load(static_cast<uint32_t>(r)));
      if (!(g_hideDeleted && deleted())) return Status::ok();
    }
    if (direction > 0) return setEof();
    XBASE_RETURN_IF_ERROR(topInRecordOrder(+1));
    m_bof = true;
    return Status::ok();
  }
  Status st = syncCursor();
  if (st.code() == Status::Code::NotFound) {
    // The current record is outside the order (its FOR condition fails): start from the end.
    return direction > 0 ? setEof() : topInIndexOrder(-1);
  }
  XBASE_RETURN_IF_ERROR(st);
  XBASE_RETURN_IF_ERROR(advanceCursor(direction));
  if (m_cursor.valid || direction > 0) return loadVisibleFromCursor(direction);
  XBASE_RETURN_IF_ERROR(topInIndexOrder(+1));
  m_bof = true;
  return Status::ok();
}

// --- fields -----------------------------------------------------------------------------

Value Table::value(int field) const { return fieldValue(fields().at(static_cast<size_t>(field)), m_rec); }

std::string_view Table::rawField(int field) const {
  const FieldDef& f = fields().at(static_cast<size_t>(field));
  return std::string_view(m_rec).substr(f.offset, f.length);
}

std::string Table::getString(int field) const { return std::string(rawField(field)); }
double Table::getNumber(int field) const { return value(field).num; }
int32_t Table::getDate(int field) const { return value(field).date; }
bool Table::getLogical(int field) const { return value(field).log; }

namespace {
Status noRecord(const std::string& path) {
  return Status::invalidArgument(path + ": no current record (end of file)");
}
}  // namespace

Status Table::putString(int field, std::string_view text) {
  if (m_eof) return noRecord(path());
  writeCharacter(fields().at(static_cast<size_t>(field)), text, m_rec.data());
  m_dirty = true;
  return Status::ok();
}

Status Table::putNumber(int field, double number) {
  if (m_eof) return noRecord(path());
  m_dirty = true;
  Status st = writeNumeric(fields().at(static_cast<size_t>(field)), number, m_rec.data());
  if (!st.isOk()) return Status::invalidArgument(path() + ": " + st.message());
  return st;
}

Status Table::putDate(int field, int32_t julianDay) {
  if (m_eof) return noRecord(path());
  writeDate(fields().at(static_cast<size_t>(field)), julianDay, m_rec.data());
  m_dirty = true;
  return Status::ok();
}

Status Table::putLogical(int field, bool on) {
  if (m_eof) return noRecord(path());
  writeLogical(fields().at(static_cast<size_t>(field)), on, m_rec.data());
  m_dirty = true;
  return Status::ok();
}

Status Table::putValue(int field, const Value& v) {
  char type = fields().at(static_cast<size_t>(field)).type;
  switch (type) {
    case 'C':
      if (v.type == Value::Type::Character) return putString(field, v.str);
      break;
    case 'N':
    case 'F':
      if (v.type == Value::Type::Numeric) return putNumber(field, v.num);
      break;
    case 'D':
      if (v.type == Value::Type::Date) return putDate(field, v.date);
      break;
    case 'L':
      if (v.type == Value::Type::Logical) return putLogical(field, v.log);
      break;
    default:
      return Status::notSupported(path() + ": field " + fields()[field].name + " of type " + type +
                                  " cannot be written");
  }
  return Status::invalidArgument(path() + ": value does not match the type of field " +
                                 fields()[field].name);
}

// --- records ----------------------------------------------------------------------------

Status Table::checkWritable() const {
  if (m_dbf->mode() == OpenMode::ReadOnly)
    return Status::invalidArgument(path() + ": the table is open for reading only");
  for (const auto& o : m_orders)
    if (o->info().foreignCollation)
      return Status::notSupported(path() + ": tag " + o->info().name +
                                  " uses a national collation; it can be read but not updated");
  return Status::ok();
}

Status Table::flushRecord() {
  if (!m_dirty || m_eof) return Status::ok();
  XBASE_RETURN_IF_ERROR(checkWritable());
  if (!isLocked(m_recno))
    return Status::invalidArgument(path() + ": record " + std::to_string(m_recno) +
                                   " was changed without a record lock");
  // The record goes first: an index is always rebuildable, the table is not.
  if (m_rec != m_orig) XBASE_RETURN_IF_ERROR(m_dbf->writeRecord(m_recno, m_rec));
  // Then the keys. Which tags change is known from the two versions of the record alone;
  // only their index files are locked, updated and written out before the lock goes.
  RecordRef before{m_orig, m_recno}, after{m_rec, m_recno};
  m_keyChanges.resize(m_orders.size());
  for (size_t i = 0; i < m_orders.size(); ++i) {
    const IndexOrder& o = *m_orders[i];
    KeyChange& c = m_keyChanges[i];
    c.remove = !m_fresh && o.includes(before);
    c.insert = o.includes(after);
    if (c.insert) o.key(after, c.newKey);
    if (c.remove) o.key(before, c.oldKey);
    if (c.remove == c.insert && (!c.remove || c.oldKey == c.newKey)) c.remove = c.insert = false;
  }
  IndexLock lock(*this);
  std::vector<cdx::CdxFile*>& touched = m_touchedBags;
  touched.clear();
  for (size_t i = 0; i < m_orders.size(); ++i) {
    cdx::CdxFile* bag = m_orderBags[i];
    const KeyChange& c = m_keyChanges[i];
    if (!(c.remove || c.insert) || std::find(touched.begin(), touched.end(), bag) != touched.end())
      continue;
    XBASE_RETURN_IF_ERROR(lock.take(*bag, LockType::Write));
    touched.push_back(bag);
  }
  for (size_t i = 0; i < m_orders.size(); ++i) {
    IndexOrder& o = *m_orders[i];
    const KeyChange& c = m_keyChanges[i];
    if (c.remove) {
      Status st = o.tag().remove(c.oldKey, m_recno);
      // A unique tag keeps one record per key; the key may belong to another record.
      if (!st.isOk() && !(st.code() == Status::Code::NotFound && o.info().unique())) return st;
    }
    if (c.insert) XBASE_RETURN_IF_ERROR(o.tag().insert(c.newKey, m_recno));
  }
  m_orig = m_rec;
  m_dirty = m_fresh = false;
  m_cursorSynced = false;
  for (cdx::CdxFile* bag : touched)
    XBASE_RETURN_IF_ERROR(shared() ? bag->flush() : bag->flushWhenLarge());
  return Status::ok();
}

Status Table::flushIndexes() {
  for (auto& bag : m_bags) XBASE_RETURN_IF_ERROR(bag.file->flush());
  return Status::ok();
}

Status Table::commit() {
  XBASE_RETURN_IF_ERROR(flushRecord());
  return flushIndexes();
}

Status Table::append() {
  XBASE_RETURN_IF_ERROR(flushRecord());
  XBASE_RETURN_IF_ERROR(checkWritable());
  std::string blank = m_dbf->blankRecord();
  uint32_t recno = 0;
  if (m_dbf->mode() == OpenMode::Exclusive) {
    XBASE_RETURN_IF_ERROR(m_dbf->appendRecord(blank, &recno));
  } else {
    // Under the append lock: the count is taken from the file, the new record written and
    // locked before anyone else can append behind it.
    File& f = m_dbf->file();
    XBASE_RETURN_IF_ERROR(f.lockRange(m_lockOffsets.header, 1, LockType::Write));
    Status st = m_dbf->appendRecord(blank, &recno);
    if (st.isOk()) st = f.lockRange(m_lockOffsets.record(recno), 1, LockType::Write);
    if (st.isOk()) m_locks.insert(recno);
    f.unlockRange(m_lockOffsets.header, 1);
    XBASE_RETURN_IF_ERROR(st);
  }
  m_recno = recno;
  m_rec = m_orig = std::move(blank);
  m_eof = m_bof = false;
  m_dirty = m_fresh = true;
  m_cursorSynced = false;
  return Status::ok();
}

Status Table::deleteRecord() {
  if (m_eof) return noRecord(path());
  m_rec[0] = '*';
  m_dirty = true;
  return Status::ok();
}

Status Table::recall() {
  if (m_eof) return noRecord(path());
  m_rec[0] = ' ';
  m_dirty = true;
  return Status::ok();
}

Status Table::pack(const KeyProgress& progress) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  XBASE_RETURN_IF_ERROR(m_dbf->pack(progress));
  XBASE_RETURN_IF_ERROR(reindex());
  return goTop();
}

Status Table::zap() {
  XBASE_RETURN_IF_ERROR(flushRecord());
  XBASE_RETURN_IF_ERROR(m_dbf->zap());
  XBASE_RETURN_IF_ERROR(reindex());
  return goTop();
}

Status Table::appendFrom(const std::string& sourcePath, FileSystem* fs) {
  std::unique_ptr<Table> source;
  XBASE_RETURN_IF_ERROR(open(sourcePath, {OpenMode::ReadOnly, fs ? fs : m_fs}, &source));
  std::vector<std::pair<int, int>> pairs;  // (our field, their field)
  for (size_t i = 0; i < fields().size(); ++i) {
    int theirs = source->fieldIndex(fields()[i].name);
    if (theirs >= 0) pairs.emplace_back(static_cast<int>(i), theirs);
  }
  Status firstProblem;
  while (!source->eof()) {
    XBASE_RETURN_IF_ERROR(append());
    for (auto [mine, theirs] : pairs) {
      Status st = putValue(mine, source->value(theirs));
      if (!st.isOk() && firstProblem.isOk()) firstProblem = st;
    }
    if (source->deleted()) m_rec[0] = '*';
    XBASE_RETURN_IF_ERROR(source->skip());
  }
  XBASE_RETURN_IF_ERROR(flushRecord());
  return firstProblem;
}

// --- locks ------------------------------------------------------------------------------

bool Table::isLocked(uint32_t recno) const {
  return m_dbf->mode() == OpenMode::Exclusive || m_fileLocked || m_locks.count(recno) != 0;
}

std::vector<uint32_t> Table::lockedRecords() const { return {m_locks.begin(), m_locks.end()}; }

Status Table::lockRecord(uint32_t recno) {
  if (m_locks.count(recno)) return Status::ok();
  if (m_dbf->mode() != OpenMode::Exclusive)
    XBASE_RETURN_IF_ERROR(m_dbf->file().lockRange(m_lockOffsets.record(recno), 1, LockType::Write));
  m_locks.insert(recno);
  return Status::ok();
}

Status Table::flushBeforeUnlock() {
  Status st = flushRecord();
  if (st.isOk()) return st;
  // The change could not be written. The lock goes all the same (other workstations would
  // wait for it forever); the buffer takes the record as the file holds it, so that nothing
  // later tries to write it without its lock.
  m_dirty = m_fresh = false;
  if (!m_eof) load(m_recno);
  return st;
}

Status Table::unlockRecord(uint32_t recno) {
  // What was changed under the lock is written before the lock goes.
  Status written = recno == m_recno ? flushBeforeUnlock() : Status::ok();
  if (!m_locks.erase(recno) || m_dbf->mode() == OpenMode::Exclusive) return written;
  Status unlocked = m_dbf->file().unlockRange(m_lockOffsets.record(recno), 1);
  return written.isOk() ? unlocked : written;
}

Status Table::unlockAll() {
  Status result = flushBeforeUnlock();
  if (m_dbf->mode() != OpenMode::Exclusive) {
    for (uint32_t r : m_locks) {
      Status st = m_dbf->file().unlockRange(m_lockOffsets.record(r), 1);
      if (result.isOk()) result = st;
    }
    if (m_fileLocked) {
      Status st = m_dbf->file().unlockRange(m_lockOffsets.fileStart, m_lockOffsets.fileLength);
      if (result.isOk()) result = st;
    }
  }
  m_locks.clear();
  m_fileLocked = false;
  return result;
}

Status Table::lockFile() {
  if (m_fileLocked) return Status::ok();
  if (m_dbf->mode() != OpenMode::Exclusive)
    XBASE_RETURN_IF_ERROR(
        m_dbf->file().lockRange(m_lockOffsets.fileStart, m_lockOffsets.fileLength, LockType::Write));
  m_fileLocked = true;
  return Status::ok();
}

// --- indexes ----------------------------------------------------------------------------

Status Table::addBag(const std::string& bagPath, std::unique_ptr<cdx::CdxFile> file) {
  std::vector<std::unique_ptr<IndexOrder>> orders;
  for (size_t i = 0; i < file->tagCount(); ++i) {
    std::unique_ptr<IndexOrder> order;
    XBASE_RETURN_IF_ERROR(IndexOrder::forTag(file->tag(i), fields(), alias(), bagPath, &order));
    orders.push_back(std::move(order));
  }
  for (auto& o : orders) {
    m_orders.push_back(std::move(o));
    m_orderBags.push_back(file.get());
  }
  m_bags.push_back({bagPath, std::move(file)});
  return Status::ok();
}

Status Table::attachIndex(const std::string& cdxPath) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  std::unique_ptr<File> file;
  XBASE_RETURN_IF_ERROR(m_fs->open(cdxPath, m_dbf->mode(), &file));
  // Another program may be changing the index: read its header and directory under the
  // index lock (closing the file on failure drops the lock with it).
  if (shared()) XBASE_RETURN_IF_ERROR(lockWaiting(*file, kIndexLockOffset, LockType::Read));
  std::unique_ptr<cdx::CdxFile> cdxFile;
  XBASE_RETURN_IF_ERROR(cdx::CdxFile::open(std::move(file), &cdxFile));
  if (shared()) cdxFile->file().unlockRange(kIndexLockOffset, 1);
  bool first = m_orders.empty();
  XBASE_RETURN_IF_ERROR(addBag(cdxPath, std::move(cdxFile)));
  if (first && !m_orders.empty()) return setOrder(1);
  return Status::ok();
}

void Table::clearIndexes() {
  flushRecord();
  flushIndexes();
  m_order = 0;
  m_orders.clear();
  m_orderBags.clear();
  m_bags.clear();
  m_cursorSynced = false;
}

int Table::orderByName(std::string_view tagName) const {
  for (size_t i = 0; i < m_orders.size(); ++i)
    if (sameName(m_orders[i]->info().name, tagName)) return static_cast<int>(i + 1);
  return 0;
}

Status Table::setOrder(int n) {
  if (n < 0 || static_cast<size_t>(n) > m_orders.size())
    return Status::invalidArgument(path() + ": there is no order " + std::to_string(n));
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_order = n;
  m_cursorSynced = false;
  return Status::ok();
}

Status Table::seek(std::string_view characterKey, bool* found) {
  Value v;
  v.type = Value::Type::Character;
  v.str.assign(characterKey);
  return seek(v, found);
}

Status Table::seek(const Value& value, bool* found) {
  *found = false;
  XBASE_RETURN_IF_ERROR(flushRecord());
  m_bof = false;
  IndexOrder* o = controlling();
  if (!o) return Status::invalidArgument(path() + ": seek without a controlling order");
  IndexLock lock(*this);
  XBASE_RETURN_IF_ERROR(lockControllingIndex(lock));
  std::string wanted;
  XBASE_RETURN_IF_ERROR(o->seekKey(value, wanted));
  cdx::Tag& tag = o->tag();
  auto matches = [&] {
    return m_cursor.valid && m_cursor.key.compare(0, wanted.size(), wanted) == 0;
  };
  if (!o->descending()) {
    // The lowest key beginning with the value: nothing sorts below the value padded with 0.
    std::string low = wanted;
    low.resize(o->keyLength(), '\0');
    XBASE_RETURN_IF_ERROR(tag.seekGE(low, 0, m_cursor));
  } else {
    // Logical order is reversed: the last physical key beginning with the value.
    std::string high = wanted;
    high.resize(o->keyLength(), '\xFF');
    XBASE_RETURN_IF_ERROR(tag.seekGE(high, UINT32_MAX, m_cursor));
    XBASE_RETURN_IF_ERROR(m_cursor.valid ? tag.prev(m_cursor) : tag.last(m_cursor));
  }
  while (matches()) {
    // Records are only added while a table is shared, so a record within the count last
    // seen exists; the count is read again only for one beyond it.
    uint32_t count = m_dbf->cachedRecordCount();
    if (m_cursor.recno > count) XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
    if (m_cursor.recno < 1 || m_cursor.recno > count)
      return Status::corruption(tag.info().name + ": index entry points to record " +
                                std::to_string(m_cursor.recno));
    XBASE_RETURN_IF_ERROR(load(m_cursor.recno));
    if (!(g_hideDeleted && deleted())) {
      m_cursorSynced = true;
      *found = true;
      return Status::ok();
    }
    XBASE_RETURN_IF_ERROR(advanceCursor(+1));
  }
  return setEof();
}

Status Table::collectKeys(const IndexOrder& order, cdx::KeyList* keys, const KeyProgress& progress) {
  uint32_t count = 0;
  XBASE_RETURN_IF_ERROR(m_dbf->recordCount(&count));
  keys->reserve(count);
  std::string chunk, key;
  const size_t len = m_dbf->recordLength();
  for (uint32_t first = 1; first <= count; first += kScanChunk) {
    uint32_t n = std::min(kScanChunk, count - first + 1);
    XBASE_RETURN_IF_ERROR(m_dbf->readRecords(first, n, chunk));
    for (uint32_t i = 0; i < n; ++i) {
      RecordRef rec{std::string_view(chunk).substr(i * len, len), first + i};
      if (progress) progress(first + i, count);
      if (!order.includes(rec)) continue;
      order.key(rec, key);
      keys->add(key, first + i);
    }
  }
  return Status::ok();
}

Status Table::createIndex(const std::string& cdxPath, const std::string& tagName,
                          const std::string& keyExpr, const std::string& forExpr,
                          const KeyProgress& progress) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  std::unique_ptr<IndexOrder> order;
  Status st = IndexOrder::compile(keyExpr, forExpr, 0, fields(), alias(), &order);
  if (!st.isOk()) return Status::invalidArgument(cdxPath + ": " + st.message());
  cdx::KeyList keys(order->keyLength());
  XBASE_RETURN_IF_ERROR(collectKeys(*order, &keys, progress));
  // An index file of that name that is attached now is replaced by the new one.
  std::string resolved = resolveCaseInsensitive(cdxPath);
  for (size_t i = 0; i < m_bags.size(); ++i) {
    if (resolveCaseInsensitive(m_bags[i].path) == resolved) {
      clearIndexes();
      break;
    }
  }
  std::unique_ptr<File> file;
  XBASE_RETURN_IF_ERROR(m_fs->create(cdxPath, &file));
  std::unique_ptr<cdx::CdxFile> cdxFile;
  XBASE_RETURN_IF_ERROR(cdx::CdxFile::create(std::move(file), &cdxFile));
  cdx::TagSpec newTag{upper(tagName), keyExpr, forExpr, order->keyLength(), false, false, order->fill()};
  XBASE_RETURN_IF_ERROR(cdxFile->addTag(newTag, std::move(keys)));
  XBASE_RETURN_IF_ERROR(cdxFile->flush());
  XBASE_RETURN_IF_ERROR(addBag(cdxPath, std::move(cdxFile)));
  XBASE_RETURN_IF_ERROR(setOrder(static_cast<int>(m_orders.size())));
  return goTop();
}

Status Table::rebuildBag(size_t bagIndex, const KeyProgress& progress) {
  Bag& bag = m_bags[bagIndex];
  std::vector<cdx::TagSpec> specs;
  std::vector<cdx::KeyList> keyLists;
  size_t firstOrder = 0;
  for (size_t b = 0; b < bagIndex; ++b) firstOrder += m_bags[b].file->tagCount();
  for (size_t t = 0; t < bag.file->tagCount(); ++t) {
    const IndexOrder& o = *m_orders[firstOrder + t];
    const cdx::TagInfo& info = o.info();
    specs.push_back({info.name, info.keyExpr, info.forExpr, info.keyLength, info.unique(),
                     info.descending, o.fill()});
    keyLists.emplace_back(info.keyLength);
    XBASE_RETURN_IF_ERROR(collectKeys(o, &keyLists.back(), progress));
  }
  bag.file.reset();
  std::unique_ptr<File> file;
  XBASE_RETURN_IF_ERROR(m_fs->create(bag.path, &file));
  std::unique_ptr<cdx::CdxFile> fresh;
  XBASE_RETURN_IF_ERROR(cdx::CdxFile::create(std::move(file), &fresh));
  for (size_t t = 0; t < specs.size(); ++t) {
    XBASE_RETURN_IF_ERROR(fresh->addTag(specs[t], std::move(keyLists[t])));
    m_orders[firstOrder + t]->bind(fresh->tag(t));
    m_orderBags[firstOrder + t] = fresh.get();
  }
  XBASE_RETURN_IF_ERROR(fresh->flush());
  bag.file = std::move(fresh);
  return Status::ok();
}

Status Table::reindex(const KeyProgress& progress) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  for (size_t b = 0; b < m_bags.size(); ++b) XBASE_RETURN_IF_ERROR(rebuildBag(b, progress));
  m_cursorSynced = false;
  return Status::ok();
}

Status Table::verifyIndexes(std::vector<std::string>* report, bool* allSound) {
  XBASE_RETURN_IF_ERROR(flushRecord());
  *allSound = true;
  for (const auto& o : m_orders) {
    const cdx::TagInfo& info = o->info();
    auto bad = [&](const std::string& why) {
      report->push_back(info.name + " BAD: " + why);
      *allSound = false;
    };
    uint64_t treeKeys = 0;
    Status st = o->tag().check(&treeKeys);
    if (!st.isOk()) {
      bad(st.message());
      continue;
    }
    cdx::KeyList expected(o->keyLength());
    XBASE_RETURN_IF_ERROR(collectKeys(*o, &expected, {}));
    std::vector<std::pair<std::string, uint32_t>> want;
    want.reserve(expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
      want.emplace_back(std::string(expected.key(i)), expected.recno(i));
    std::sort(want.begin(), want.end());
    if (info.unique())
      want.erase(std::unique(want.begin(), want.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 want.end());
    cdx::Tag::Cursor c;
    XBASE_RETURN_IF_ERROR(o->tag().first(c));
    size_t i = 0;
    std::string problem;
    while (c.valid && problem.empty()) {
      if (i >= want.size())
        problem = "key for record " + std::to_string(c.recno) + " that no record gives";
      else if (c.key != want[i].first || c.recno != want[i].second)
        problem = "entry " + std::to_string(i + 1) + " is record " + std::to_string(c.recno) +
                  ", expected record " + std::to_string(want[i].second);
      XBASE_RETURN_IF_ERROR(o->tag().next(c));
      ++i;
    }
    if (problem.empty() && i < want.size())
      problem = "key of record " + std::to_string(want[i].second) + " is missing";
    if (!problem.empty())
      bad(problem);
    else
      report->push_back(info.name + " ok " + std::to_string(want.size()) + " keys");
  }
  return Status::ok();
}

}  // namespace xbase
