#include "gui/record_list_model.h"

#include <algorithm>

#include "gui/widget_text.h"
#include "tables/workspace.h"
#include "views/record_order.h"

namespace gui {

namespace {

// Puts the table back on the record it stands on now when the scope ends.
class KeepPosition {
 public:
  explicit KeepPosition(xbase::Table* table)
      : m_table(table), m_recno(table && !table->eof() ? table->recNo() : 0) {}
  ~KeepPosition() {
    if (m_table) m_table->goTo(m_recno);
  }
  KeepPosition(const KeepPosition&) = delete;
  KeepPosition& operator=(const KeepPosition&) = delete;

 private:
  xbase::Table* m_table;
  uint32_t m_recno;  // 0: at the end of the table
};

// Column texts for the screen. Trailing blanks of padded fields are dropped: they would
// only make a narrow column cut its text short.
QStringList qtTexts(const std::vector<std::string>& texts) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) {
    std::string_view shown(text);
    shown = shown.substr(0, shown.find_last_not_of(' ') + 1);
    list.push_back(qtText(shown));
  }
  return list;
}

}  // namespace

RecordListModel::RecordListModel(std::string alias, views::RowCallback row,
                                 std::vector<std::string> headers, std::vector<bool> aligns,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      m_alias(std::move(alias)),
      m_row(std::move(row)),
      m_headers(qtTexts(headers)),
      m_aligns(std::move(aligns)) {
  readMore();
}

xbase::Table* RecordListModel::table() const {
  return tables::table(m_alias);
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_records.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

bool RecordListModel::rightAligned(int column) const {
  return column >= 0 && static_cast<size_t>(column) < m_aligns.size() &&
         m_aligns[static_cast<size_t>(column)];
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  QStringList row = texts(index.row());
  return index.column() < row.size() ? row[index.column()] : QString();
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size()) return {};
  if (role == Qt::DisplayRole) return m_headers[section];
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((rightAligned(section) ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
  }
  return {};
}

bool RecordListModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && !m_atEnd;
}

void RecordListModel::fetchMore(const QModelIndex& parent) {
  if (!parent.isValid()) readMore();
}

bool RecordListModel::readMore() {
  xbase::Table* t = table();
  if (m_atEnd || !t) {
    m_atEnd = true;
    return false;
  }
  std::vector<uint32_t> more;
  {
    KeepPosition keep(t);
    more = views::recordsAfter(*t, m_records.empty() ? 0 : m_records.back(), kFetchRows);
  }
  m_atEnd = more.size() < static_cast<size_t>(kFetchRows);
  if (more.empty()) return false;
  int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
  m_records.insert(m_records.end(), more.begin(), more.end());
  endInsertRows();
  return true;
}

QStringList RecordListModel::textsOfCurrent() const {
  return m_row ? qtTexts(m_row()) : QStringList();
}

QStringList RecordListModel::texts(int row) const {
  auto cached = m_cache.find(row);
  if (cached != m_cache.end()) return cached->second;
  xbase::Table* t = table();
  if (!t) return {};
  QStringList result;
  {
    KeepPosition keep(t);
    if (t->goTo(m_records[static_cast<size_t>(row)]).isOk()) result = textsOfCurrent();
  }
  if (m_cache.size() >= kCachedRows) m_cache.clear();
  m_cache.emplace(row, result);
  return result;
}

bool RecordListModel::selectRecord(int row) {
  xbase::Table* t = table();
  if (!t || row < 0 || row >= rowCount()) return false;
  return t->goTo(m_records[static_cast<size_t>(row)]).isOk();
}

int RecordListModel::rowOfCurrent() {
  xbase::Table* t = table();
  if (!t || t->eof()) return -1;
  uint32_t recno = t->recNo();
  size_t from = 0;
  do {
    auto it =
        std::find(m_records.begin() + static_cast<std::ptrdiff_t>(from), m_records.end(), recno);
    if (it != m_records.end()) return static_cast<int>(it - m_records.begin());
    from = m_records.size();
  } while (readMore());
  return -1;
}

void RecordListModel::reload() {
  beginResetModel();
  m_records.clear();
  m_cache.clear();
  m_atEnd = false;
  endResetModel();
  readMore();
}

void RecordListModel::dropIfDeleted(int row) {
  xbase::Table* t = table();
  if (!t || row < 0 || row >= rowCount()) return;
  bool deleted = false;
  {
    KeepPosition keep(t);
    deleted = t->goTo(m_records[static_cast<size_t>(row)]).isOk() && t->deleted();
  }
  if (!deleted) return;
  beginRemoveRows({}, row, row);
  m_records.erase(m_records.begin() + row);
  m_cache.clear();
  endRemoveRows();
}

void RecordListModel::forEachRecord(const std::function<void(const QStringList&)>& visit) const {
  xbase::Table* t = table();
  if (!t) return;
  KeepPosition keep(t);
  std::vector<uint32_t> batch = views::recordsAfter(*t, 0, kFetchRows);
  while (!batch.empty()) {
    for (uint32_t recno : batch) {
      if (t->goTo(recno).isOk()) visit(textsOfCurrent());
    }
    if (batch.size() < static_cast<size_t>(kFetchRows)) break;
    batch = views::recordsAfter(*t, batch.back(), kFetchRows);
  }
}

}  // namespace gui
