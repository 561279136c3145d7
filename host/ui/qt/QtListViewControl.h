#pragma once

#include <QItemSelection>
#include <QTableView>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "ui/ListViewRow.h"
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
  // Called for the Delete key while rows are selected.
  void SetDeleteHandler(std::function<void()> handler);

 private:
  // The view's selection made equal to the model's, in one call.
  void ShowSelection();
  void OnUserSelection(const QItemSelection& selected, const QItemSelection& deselected);
  // Fits the last column once the changes at hand are done.
  void FitLastColumnSoon();
  void FitLastColumn();

  QTableView* view_;
  ListViewTableModel* model_;
  unsigned extendedStyle_ = 0;
  std::vector<int> askedWidths_;
  bool fitPending_ = false;
  // Expires with the control: the widgets may outlive it.
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};
