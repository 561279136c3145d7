#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ListViewRow.h"

// The rows of a list view as a backend may keep them, with the costs UiWindow
// promises: a sorted list (ascending byte-wise by the first column, new rows after
// equal ones) inserts k rows at once by one merge, deletes any set of rows in one
// pass, and finds a prefix by binary search. Every row remembers when it was
// inserted.
class ListViewModel {
 public:
  explicit ListViewModel(bool sorted = false) : sorted_(sorted) {}

  bool IsSorted() const { return sorted_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // Sorted: at the sorted place, ignoring the index; else at the index (-1 or
  // beyond the end: the end). The new row's index.
  int Insert(int index, ListViewRow row);
  void InsertMany(std::span<const ListViewRow> rows);
  // Never moves the row; false for a row out of range.
  bool SetCell(int row, int column, std::string_view text);
  // "" for a row or column that does not exist.
  const std::string& Cell(int row, int column) const;
  const ListViewRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)).cells; }

  // Any order; duplicates and indexes out of range are ignored.
  void Delete(std::span<const int> rows);
  void Clear();

  int SelectedCount() const { return selectedCount_; }
  // False for a row out of range.
  bool IsSelected(int row) const {
    return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)].selected;
  }
  std::vector<int> Selected() const;
  void SetSelected(int row, bool selected);
  void ClearSelection();

  // The first row after startAfter (-1: from the top) whose first column begins with
  // the prefix; -1 when none.
  int FindPrefix(std::string_view prefix, int startAfter = -1) const;

  // Row indexes in the order the rows were inserted.
  std::vector<int> InsertionOrder() const;

 private:
  struct Entry {
    ListViewRow cells;
    std::uint64_t serial = 0;
    bool selected = false;
  };

  static const std::string& FirstColumn(const Entry& entry);

  bool sorted_;
  std::vector<Entry> rows_;
  std::uint64_t nextSerial_ = 0;
  int selectedCount_ = 0;
};
