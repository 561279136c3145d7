#include "ui/qt/ListTableView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>

namespace {

bool IsJumpToEnd(const QEvent* event) {
  if (event == nullptr || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) &&
         (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

QItemSelectionModel::SelectionFlags ListTableView::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
  if (IsJumpToEnd(event) && index.isValid())
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  return QTableView::selectionCommand(index, event);
}

void ListTableView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && (event->modifiers() & ~Qt::KeypadModifier) == 0 &&
      selectionModel()->hasSelection() && onDelete_) {
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
