#pragma once

#include <QAbstractTableModel>
#include <span>
#include <string_view>
#include <vector>

#include "ui/backend/ListViewModel.h"

// A list view's rows as a Qt table model. The rows live in a ListViewModel, which
// keeps them sorted and knows which are selected; this model shows them and tells
// the view of every change, row by row for single rows and as a reset for batches,
// so that no operation costs the view more than one pass over the rows.
class ListViewTableModel final : public QAbstractTableModel {
 public:
  ListViewTableModel(bool sorted, QObject* parent);

  const ListViewModel& Rows() const { return rows_; }

  // Appends a column; format is an LVCFMT_ value.
  void AddColumn(const QString& title, int format);
  int InsertRow(int index, const ListViewRow& row);
  void InsertRows(std::span<const ListViewRow> rows);
  bool SetCell(int row, int column, std::string_view text);
  // True when the view was reset, which drops its selection.
  bool DeleteRows(std::span<const int> rows);
  void Clear();
  void SetSelected(int row, bool selected) { rows_.SetSelected(row, selected); }
  void ClearSelection() { rows_.ClearSelection(); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Column {
    QString title;
    int format;
  };

  // Where a row with this first column goes in the sorted list: after its equals.
  int SortedPlace(const std::string& first) const;

  ListViewModel rows_;
  std::vector<Column> columns_;
};
