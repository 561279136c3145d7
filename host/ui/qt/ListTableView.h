#pragma once

#include <QTableView>
#include <functional>

// The table a list view is shown in, with the keyboard of a desktop list: Home and
// End go to the first and last row (a plain table goes to the first and last
// column), Ctrl+Home, Ctrl+End, Ctrl+PageUp and Ctrl+PageDown take the selection
// with them (a plain table moves only the focus and leaves the selection where the
// user cannot see it), and Delete asks for the selected rows to be removed, or for
// the row with the focus frame while none is selected. Typing jumps to the next row
// whose first column begins with what was typed, whichever column has the focus. A
// cell too narrow for its text shows the whole text as a tooltip.
class ListTableView final : public QTableView {
 public:
  explicit ListTableView(QWidget* parent) : QTableView(parent) {}

  void keyboardSearch(const QString& search) override;

  // Called for Delete while a row is selected or has the focus frame.
  void SetDeleteHandler(std::function<void()> handler) { onDelete_ = std::move(handler); }
  // Called when the view's width changes.
  void SetResizeHandler(std::function<void()> handler) { onResize_ = std::move(handler); }

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::function<void()> onDelete_;
  std::function<void()> onResize_;
};
