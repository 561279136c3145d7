#include "ui/qt/ListTableView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>

namespace {

// Ctrl with a key that moves the focus by more than a row. Ctrl with an arrow keeps
// its desktop meaning: the focus alone moves, for Ctrl+Space to add rows one by one.
bool IsJump(const QEvent* event) {
  if (event == nullptr || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  const int code = key->key();
  return (code == Qt::Key_Home || code == Qt::Key_End || code == Qt::Key_PageUp ||
          code == Qt::Key_PageDown) &&
         (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

QModelIndex ListTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (action != MoveHome && action != MoveEnd) return QTableView::moveCursor(action, modifiers);
  const int rows = model() == nullptr ? 0 : model()->rowCount(rootIndex());
  if (rows == 0) return {};
  const QModelIndex current = currentIndex();
  const int column = current.isValid() ? current.column() : 0;
  return model()->index(action == MoveHome ? 0 : rows - 1, column, rootIndex());
}

// Qt searches the column of the current cell; rows are known by their first.
void ListTableView::keyboardSearch(const QString& search) {
  const QModelIndex current = currentIndex();
  if (current.isValid() && current.column() != 0) {
    selectionModel()->setCurrentIndex(current.siblingAtColumn(0), QItemSelectionModel::NoUpdate);
  }
  QTableView::keyboardSearch(search);
}

QItemSelectionModel::SelectionFlags ListTableView::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
  if (IsJump(event) && index.isValid())
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  return QTableView::selectionCommand(index, event);
}

void ListTableView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && (event->modifiers() & ~Qt::KeypadModifier) == 0 &&
      (selectionModel()->hasSelection() || currentIndex().isValid()) && onDelete_) {
    event->accept();
    // Through a copy: the handler may take the view down.
    const std::function<void()> handler = onDelete_;
    handler();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool ListTableView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  const QString text = index.isValid() ? index.data(Qt::DisplayRole).toString() : QString();
  const QRect cell = visualRect(index);
  const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) + margin > cell.width()) {
    QToolTip::showText(help->globalPos(), text, viewport(), cell);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

void ListTableView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (onResize_) onResize_();
}
