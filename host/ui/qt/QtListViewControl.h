#pragma once

#include <QFont>
#include <QItemSelection>
#include <QTableView>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/ListViewRow.h"
#include "ui/backend/RowChangeAnnouncement.h"
#include "ui/qt/ListViewTableModel.h"
#include "ui/qt/QtControl.h"

// A list view in report mode on a QTableView. The rows and their selection are kept
// by the model; the view's selection follows it after every change from code, and
// the user's selections are carried back into it before LVN_ITEMCHANGED is sent.
// The last column is as wide as its widest text, and at least as the rest of the
// view and as the window asked.
class QtListViewControl : public QtControl {
 public:
  QtListViewControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                    std::shared_ptr<NotifyChannel> channel);

  void AddColumn(std::string_view title, int width, int format);
  unsigned ExtendedStyle() const { return extendedStyle_; }
  void SetExtendedStyle(unsigned style);
  int InsertRow(int index, const ListViewRow& row);
  void InsertRows(std::span<const ListViewRow> rows);
  void SetCellText(int row, int column, std::string_view text);
  std::string CellText(int row, int column) const;
  int RowCount() const { return model_->Rows().RowCount(); }
  void DeleteRows(std::span<const int> rows);
  void DeleteAllRows();
  std::vector<int> SelectedRows() const { return model_->Rows().Selected(); }
  int SelectedRowCount() const { return model_->Rows().SelectedCount(); }
  void SetRowSelected(int row, bool selected);
  int FindRowByPrefix(std::string_view prefix, int start) const;

  QTableView& View() const { return *view_; }
  // `remove` removes the selected rows, as the window's "Remove" button does. The
  // Delete key calls it for the selected rows, or, while none is, for the row with
  // the focus frame, which it selects first as a user would. After a removal the row
  // that took the place of the first one removed (the new last row, when that one was
  // last) has the focus and is selected, so that Delete again goes on down the list.
  void SetDeleteHandler(std::function<void()> remove);

  // Starts counting the changes of a command afresh.
  void StartCounting();
  const RowChange& Counted() const { return counted_; }

 private:
  // The view's selection made equal to the model's, in one call.
  void ShowSelection();
  void OnUserSelection(const QItemSelection& selected, const QItemSelection& deselected);
  void OnDeleteKey(const std::function<void()>& remove);
  // The row at index becomes current and the only row selected, as a user's doing.
  void SelectAsUser(int row);
  // Fits the last column once the changes at hand are done.
  void FitLastColumnSoon();
  void FitLastColumn();
  // The width of a text in the last column, measured once per distinct text (a list
  // of holidays holds thousands of rows and a handful of remarks).
  int TextWidth(const std::string& text);
  int LastColumn() const { return model_->columnCount() - 1; }
  // The widest text of the last column follows the rows added, so that adding a few
  // rows to a long list measures those rows only; a change that may take the widest
  // one away has it measured again over every row when the column is next fitted.
  void Widen(const std::string& text);
  void Narrowing(const std::string& text);

  QTableView* view_;
  ListViewTableModel* model_;
  unsigned extendedStyle_ = 0;
  std::vector<int> askedWidths_;
  bool fitPending_ = false;
  int widest_ = 0;
  bool widestKnown_ = true;
  QFont measuredFont_;
  std::unordered_map<std::string, int> widths_;
  RowChange counted_;
  // Expires with the control: the widgets may outlive it.
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};
