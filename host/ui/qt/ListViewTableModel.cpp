#include "ui/qt/ListViewTableModel.h"

#include <algorithm>

#include "ui/WinConstants.h"
#include "ui/qt/Latin1.h"

namespace {

const std::string kNoText;

}  // namespace

ListViewTableModel::ListViewTableModel(bool sorted, QObject* parent)
    : QAbstractTableModel(parent), rows_(sorted) {}

void ListViewTableModel::AddColumn(const QString& title, int format) {
  const int column = static_cast<int>(columns_.size());
  beginInsertColumns(QModelIndex(), column, column);
  columns_.push_back(Column{title, format});
  endInsertColumns();
}

int ListViewTableModel::SortedPlace(const std::string& first) const {
  int low = 0;
  int high = rows_.RowCount();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (first < rows_.Cell(middle, 0)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

int ListViewTableModel::InsertRow(int index, const ListViewRow& row) {
  int place = rows_.RowCount();
  if (rows_.IsSorted()) {
    place = SortedPlace(row.empty() ? kNoText : row.front());
  } else if (index >= 0 && index < rows_.RowCount()) {
    place = index;
  }
  beginInsertRows(QModelIndex(), place, place);
  const int inserted = rows_.Insert(index, row);
  endInsertRows();
  Q_ASSERT(inserted == place);
  return inserted;
}

void ListViewTableModel::InsertRows(std::span<const ListViewRow> rows) {
  if (rows.empty()) return;
  beginResetModel();
  rows_.InsertMany(rows);
  endResetModel();
}

bool ListViewTableModel::SetCell(int row, int column, std::string_view text) {
  if (!rows_.SetCell(row, column, text)) return false;
  if (column < columnCount()) {
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
  }
  return true;
}

bool ListViewTableModel::DeleteRows(std::span<const int> rows) {
  std::vector<int> doomed;
  for (int row : rows) {
    if (row >= 0 && row < rows_.RowCount()) doomed.push_back(row);
  }
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  if (doomed.empty()) return false;
  if (doomed.size() == 1) {
    beginRemoveRows(QModelIndex(), doomed.front(), doomed.front());
    rows_.Delete(doomed);
    endRemoveRows();
    return false;
  }
  beginResetModel();
  rows_.Delete(doomed);
  endResetModel();
  return true;
}

void ListViewTableModel::Clear() {
  beginResetModel();
  rows_.Clear();
  endResetModel();
}

int ListViewTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_.RowCount();
}

int ListViewTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListViewTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return ToQString(rows_.Cell(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) {
    const int format = columns_[static_cast<std::size_t>(index.column())].format;
    const Qt::Alignment across = format == LVCFMT_RIGHT    ? Qt::AlignRight
                                 : format == LVCFMT_CENTER ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
    return static_cast<int>(across | Qt::AlignVCenter);
  }
  return {};
}

QVariant ListViewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(columns_.size())) {
    return {};
  }
  if (role == Qt::DisplayRole) return columns_[static_cast<std::size_t>(section)].title;
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}
