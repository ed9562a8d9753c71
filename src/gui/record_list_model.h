#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "views/display_definition.h"

namespace xbase {
class Table;
}

namespace gui {

// The rows of the table browser: the visible records of the table open under an alias, in its
// controlling order, with the columns of its display definition. Records are read on demand:
// the first rows at once, more as the view scrolls towards the end (fetchMore), so a table of
// a million records opens as fast as one of ten. Column texts are computed for the rows on
// screen only and kept for a bounded number of rows.
//
// Reading never moves the table: whatever record the browser made current stays current,
// also while an editor or a lock dialog repaints the list.
class RecordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  RecordListModel(std::string alias, views::RowCallback row, std::vector<std::string> headers,
                  std::vector<bool> aligns, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent = {}) const override;
  void fetchMore(const QModelIndex& parent = {}) override;

  const std::string& alias() const { return m_alias; }
  bool rightAligned(int column) const;
  // Makes the row's record the table's current record; false for a row that does not exist.
  bool selectRecord(int row);
  // The row of the table's current record, reading further as far as needed; -1 when the
  // current record is not in the list (end of file, hidden).
  int rowOfCurrent();
  // Reads the list anew from the top (after a record was stored).
  void reload();
  // Drops the row when its record is now marked deleted (after ZEILELOESCHEN).
  void dropIfDeleted(int row);
  // The column texts of every visible record in order, to `visit`.
  void forEachRecord(const std::function<void(const QStringList&)>& visit) const;

  // Rows read per step, and the most rows whose texts are kept.
  static constexpr int kFetchRows = 256;
  static constexpr size_t kCachedRows = 1024;

 private:
  xbase::Table* table() const;
  // Reads up to kFetchRows more record numbers; false at the end of the table.
  bool readMore();
  QStringList texts(int row) const;
  QStringList textsOfCurrent() const;

  std::string m_alias;
  views::RowCallback m_row;
  QStringList m_headers;
  std::vector<bool> m_aligns;
  std::vector<uint32_t> m_records;  // the rows read so far
  bool m_atEnd = false;
  mutable std::unordered_map<int, QStringList> m_cache;
};

}  // namespace gui
