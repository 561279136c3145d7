#include "ui/CListCtrl.h"

#include "ui/backend/UiWindow.h"

CListCtrl::~CListCtrl() = default;

int CListCtrl::InsertColumn(int column, std::string_view heading, int format, int width) {
  BoundWindow().AddColumn(BoundId(), heading, width, format);
  return column;
}

unsigned CListCtrl::GetExtendedStyle() const { return BoundWindow().ExtendedStyle(BoundId()); }

void CListCtrl::SetExtendedStyle(unsigned style) {
  BoundWindow().SetExtendedStyle(BoundId(), style);
}

int CListCtrl::InsertItem(int index, std::string_view text) {
  return BoundWindow().InsertRow(BoundId(), index, ListViewRow{std::string(text)});
}

void CListCtrl::InsertItems(std::span<const ListViewRow> rows) {
  BoundWindow().InsertRows(BoundId(), rows);
}

bool CListCtrl::SetItemText(int row, int column, std::string_view text) {
  if (row < 0 || row >= GetItemCount() || column < 0) return false;
  BoundWindow().SetCellText(BoundId(), row, column, text);
  return true;
}

std::string CListCtrl::GetItemText(int row, int column) const {
  return BoundWindow().CellText(BoundId(), row, column);
}

int CListCtrl::GetItemCount() const { return BoundWindow().RowCount(BoundId()); }

bool CListCtrl::DeleteItem(int row) {
  if (row < 0 || row >= GetItemCount()) return false;
  const int rows[] = {row};
  BoundWindow().DeleteRows(BoundId(), rows);
  return true;
}

void CListCtrl::DeleteItems(std::span<const int> rows) {
  BoundWindow().DeleteRows(BoundId(), rows);
}

bool CListCtrl::DeleteAllItems() {
  BoundWindow().DeleteAllRows(BoundId());
  return true;
}

int CListCtrl::GetSelectedCount() const { return BoundWindow().SelectedRowCount(BoundId()); }

std::vector<int> CListCtrl::GetSelectedItems() const {
  return BoundWindow().SelectedRows(BoundId());
}

void CListCtrl::SetItemSelected(int row, bool selected) {
  BoundWindow().SetRowSelected(BoundId(), row, selected);
}

int CListCtrl::FindItemByPrefix(std::string_view prefix, int startAfter) const {
  return BoundWindow().FindRowByPrefix(BoundId(), prefix, startAfter);
}
