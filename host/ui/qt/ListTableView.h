#pragma once

#include <QTableView>
#include <functional>

// The table a list view is shown in, with the keyboard of a desktop list: Ctrl+Home,
// Ctrl+End, Ctrl+PageUp and Ctrl+PageDown take the selection with them (a plain
// table moves only the focus and leaves the selection where the user cannot see
// it), and Delete asks for the selected rows to be removed. A cell too narrow
// for its text shows the whole text as a tooltip.
class ListTableView final : public QTableView {
 public:
  explicit ListTableView(QWidget* parent) : QTableView(parent) {}

  // Called for Delete while rows are selected.
  void SetDeleteHandler(std::function<void()> handler) { onDelete_ = std::move(handler); }
  // Called when the view's width changes.
  void SetResizeHandler(std::function<void()> handler) { onResize_ = std::move(handler); }

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::function<void()> onDelete_;
  std::function<void()> onResize_;
};
