#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DateTimeValue.h"
#include "ui/ListViewRow.h"

// The toolkit side of one window built from a dialog template: the operations the
// framework performs on its controls, addressed by control id. Every control starts
// as its template says: caption as text, enabled unless ControlStyle::Disabled,
// unmarked, no items, no rows, no selection, pickers at the current local date and
// time without a range.
//
// None of these operations notifies the UiEventSink: only the user's own actions
// do. An id the template does not have, or an operation the control's kind does not
// offer, throws std::logic_error naming the id and the kind. Indexes out of range
// are ignored by setters and answered with "" or 0 by getters, as list controls do.
class UiWindow {
 public:
  virtual ~UiWindow();

  // Any control. The text of an edit, label, button or group box caption, or of a
  // combo box's text field. Setting the text field of a combo box selects the item
  // whose text equals it exactly, or no item.
  virtual void SetText(int id, std::string_view text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void SetFocus(int id) = 0;
  // The first character of the control's text that the host's 8-bit character set
  // cannot hold, as a Unicode code point; Text reads it as '?'. Only a backend whose
  // user can type such characters has any: none by default.
  virtual std::optional<char32_t> UnstorableCharacter(int id) const;
  // Tells an edit box that it holds a whole number (an optional sign and digits,
  // blanks around them): a backend whose user types may refuse, as it is typed,
  // what cannot become one. The text set from code is not checked. By default
  // nothing changes.
  virtual void MarkWholeNumber(int id);
  // Edit boxes: a hint the box shows, greyed, while it is empty; never part of its
  // text. By default nothing shows.
  virtual void SetCueBanner(int id, std::string_view text);

  // Check boxes and radio buttons: BST_UNCHECKED or BST_CHECKED. Setting a mark
  // from code never clears the other radio buttons of a group.
  virtual void SetCheck(int id, int state) = 0;
  virtual int Check(int id) const = 0;

  // List boxes and combo boxes. AddItem puts the item at its sorted place with
  // ControlStyle::Sorted (after equal texts), else at the end; InsertItem at the index
  // (-1: the end) in either case. Both return the new item's index and keep the
  // selection on the item it was on. Selection is -1 when no item is selected;
  // selecting in a combo box also puts the item's text (or "" for -1) in its text
  // field. ResetItems removes every item and the selection.
  virtual int AddItem(int id, std::string_view text) = 0;
  virtual int InsertItem(int id, int index, std::string_view text) = 0;
  virtual void DeleteItem(int id, int index) = 0;
  virtual void ResetItems(int id) = 0;
  virtual int ItemCount(int id) const = 0;
  virtual std::string ItemText(int id, int index) const = 0;
  virtual void SetItemData(int id, int index, std::uintptr_t data) = 0;
  virtual std::uintptr_t ItemData(int id, int index) const = 0;
  virtual int Selection(int id) const = 0;
  virtual void SetSelection(int id, int index) = 0;

  // List views (report mode). Columns are appended; width in pixels, format an
  // LVCFMT_ value. With ControlStyle::SortAscending rows stay in ascending byte-wise
  // order of their first column (a new row goes after rows with an equal first
  // column) and the index given to InsertRow is ignored; otherwise a row goes at the
  // index (-1: the end). InsertRows adds many rows at once in O((n + k) log k) or
  // better, in the order InsertRow would give them one by one. SetCellText never
  // moves a row. DeleteRows takes indexes in any order, ignores duplicates and
  // indexes out of range, and removes them all in one pass. Selected rows are
  // answered in ascending order. FindRowByPrefix answers the first row after start
  // (-1: from the top) whose first column begins with the prefix (byte-wise, case
  // counts), or -1; in a sorted list it takes O(log n).
  virtual void AddColumn(int id, std::string_view title, int width, int format) = 0;
  virtual unsigned ExtendedStyle(int id) const = 0;
  virtual void SetExtendedStyle(int id, unsigned style) = 0;
  virtual int InsertRow(int id, int index, const ListViewRow& row) = 0;
  virtual void InsertRows(int id, std::span<const ListViewRow> rows) = 0;
  virtual void SetCellText(int id, int row, int column, std::string_view text) = 0;
  virtual std::string CellText(int id, int row, int column) const = 0;
  virtual int RowCount(int id) const = 0;
  virtual void DeleteRows(int id, std::span<const int> rows) = 0;
  virtual void DeleteAllRows(int id) = 0;
  virtual std::vector<int> SelectedRows(int id) const = 0;
  virtual int SelectedRowCount(int id) const = 0;
  virtual void SetRowSelected(int id, int row, bool selected) = 0;
  virtual int FindRowByPrefix(int id, std::string_view prefix, int start) const = 0;

  // Date-time pickers. A value outside the range is moved to its nearer end. The
  // format uses the letters of the Windows picker ("yyy" is the full year alone).
  virtual DateTimeValue DateTime(int id) const = 0;
  virtual void SetDateTime(int id, const DateTimeValue& value) = 0;
  virtual void SetDateTimeRange(int id, const std::optional<DateTimeValue>& earliest,
                                const std::optional<DateTimeValue>& latest) = 0;
  virtual void SetDateTimeFormat(int id, std::string_view format) = 0;

  // A window built with WindowRole::ModalDialog: shows it and runs until EndModal,
  // returning its result. EndModal may be called before RunModal (from the
  // dialog's initialisation); RunModal then returns at once.
  virtual int RunModal() = 0;
  virtual void EndModal(int result) = 0;
};
