#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/CWnd.h"
#include "ui/ListViewRow.h"

// A list view in report mode: rows of column texts, several selectable. A list with
// ControlStyle::SortAscending keeps its rows in ascending byte-wise order of the
// first column; see UiWindow for the costs.
class CListCtrl : public CWnd {
 public:
  ~CListCtrl() override;

  // Appends a column; `column` is the caller's count so far. The new column's index.
  int InsertColumn(int column, std::string_view heading, int format = LVCFMT_LEFT, int width = -1);
  unsigned GetExtendedStyle() const;
  void SetExtendedStyle(unsigned style);

  // A row with the first column's text; at the sorted place in a sorted list, else
  // at the index. The row's index.
  int InsertItem(int index, std::string_view text);
  // Many rows at once, each at the place InsertItem would give it.
  void InsertItems(std::span<const ListViewRow> rows);
  bool SetItemText(int row, int column, std::string_view text);
  std::string GetItemText(int row, int column) const;
  int GetItemCount() const;
  bool DeleteItem(int row);
  // Removes all the rows named in one pass; any order, duplicates ignored.
  void DeleteItems(std::span<const int> rows);
  bool DeleteAllItems();

  int GetSelectedCount() const;
  // The selected rows in ascending order.
  std::vector<int> GetSelectedItems() const;
  void SetItemSelected(int row, bool selected);

  // The first row after `startAfter` (-1: from the top) whose first column begins
  // with the prefix, letter case counting; -1 when none.
  int FindItemByPrefix(std::string_view prefix, int startAfter = -1) const;
};
