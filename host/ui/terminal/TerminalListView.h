#pragma once

#include <climits>
#include <span>
#include <string>
#include <vector>

#include "ui/ListViewRow.h"
#include "ui/backend/ListViewModel.h"
#include "ui/backend/RowChangeAnnouncement.h"
#include "ui/terminal/ListWindow.h"
#include "ui/terminal/TerminalControl.h"

// A list view in report mode: a header of column titles and the rows under it, of
// which only those in sight are drawn, so a key costs the same with ten rows as with
// a hundred thousand. The keys of Qt's item views: Up and Down move the current row
// and select it alone, PgUp, PgDn, Home and End (with or without Ctrl) go a page or
// to the first or last row, Shift with them stretches the selection, Space selects
// or unselects the current row, letters find a row by the beginning of its first
// column. The window gives Delete to its Remove button.
class TerminalListView final : public TerminalControl {
 public:
  TerminalListView(const ControlTemplate& control, TerminalWindow& window);

  void AddColumn(std::string_view title, int width, int format);
  unsigned ExtendedStyle() const { return extendedStyle_; }
  void SetExtendedStyle(unsigned style) { extendedStyle_ = style; }
  int InsertRow(int index, const ListViewRow& row);
  void InsertRows(std::span<const ListViewRow> rows);
  void SetCellText(int row, int column, std::string_view text);
  std::string CellText(int row, int column) const { return model_.Cell(row, column); }
  int RowCount() const { return model_.RowCount(); }
  void DeleteRows(std::span<const int> rows);
  void DeleteAllRows();
  std::vector<int> SelectedRows() const { return model_.Selected(); }
  int SelectedRowCount() const { return model_.SelectedCount(); }
  void SetRowSelected(int row, bool selected);
  int FindRowByPrefix(std::string_view prefix, int start) const {
    return model_.FindPrefix(prefix, start);
  }

  int CurrentRow() const { return rows_.Current(); }
  // Before Delete presses the Remove button: with nothing selected, the current row
  // is selected, so that the button removes the row the user sees the focus on.
  void SelectCurrentIfNone();

  // Around each action of the user on the window: what the action did to the rows.
  // After a removal the row now at the removed place (the new last row when the
  // last went) becomes current and selected, so Delete twice removes two rows; and
  // when a click added or removed rows (the list not refilled), what it did is the
  // returned announcement ("3 holidays removed"), else "".
  void BeginUserAction();
  std::string EndUserAction(bool click, bool otherChoice);

  bool TakesFocus() const override { return true; }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override;
  bool HandleKey(const TerminalKey& key) override;
  void FocusEntered() override;
  std::string Hints() const override;
  // Letters typed after the focus comes back begin a new prefix, however soon.
  void FocusLeft() override { typed_.clear(); }

 private:
  struct Column {
    std::u32string title;
    int cells;
    int format;
  };

  bool Multiple() const { return !Template().Has(ControlStyle::SingleSelection); }
  // Moves the current row with the key's motion; false for a key that is no motion.
  bool Move(const TerminalKey& key, ListWindow& moved) const;
  // Selects the rows from the anchor to the current one, or the current one alone.
  void SelectByUser(bool stretch, int previous);
  // Selects the row alone; `previous` is the row that was current.
  void SelectOnly(int row, int previous);
  void NotifySelection();
  int TypeAhead(char32_t c);
  std::vector<int> ColumnWidths() const;
  void SyncCount();

  ListViewModel model_;
  std::vector<Column> columns_;
  unsigned extendedStyle_ = 0;
  ListWindow rows_;
  int anchor_ = -1;
  std::u32string typed_;
  long long lastTypedMs_ = 0;

  // What happened to the rows since BeginUserAction.
  RowChange change_;
  int removedAt_ = INT_MAX;
};
