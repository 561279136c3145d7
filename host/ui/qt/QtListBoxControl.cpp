#include "ui/qt/QtListBoxControl.h"

#include <QToolTip>

QtListBoxControl::QtListBoxControl(const ControlTemplate& control, QWidget& parent,
                                   const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtItemListControl(control, *new QListWidget(&parent), geometry, std::move(channel)),
      list_(static_cast<QListWidget*>(&Widget())) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setVerticalScrollBarPolicy(control.Has(ControlStyle::VScroll) ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setUniformItemSizes(true);
  if (control.Has(ControlStyle::Notify)) {
    Listen(list_, &QListWidget::itemSelectionChanged,
           [channel = SharedChannel(), id = Id()] { channel->Notify(id, LBN_SELCHANGE); });
  }
}

int QtListBoxControl::Selection() const {
  const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

void QtListBoxControl::SetSelection(int index) {
  if (index < -1 || index >= ItemCount()) return;
  if (index == -1) {
    list_->clearSelection();
    list_->setCurrentRow(-1);
    return;
  }
  list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void QtListBoxControl::InsertShown(int index, const QString& text) {
  list_->insertItem(index, text);
}

void QtListBoxControl::RemoveShown(int index) { delete list_->takeItem(index); }

void QtListBoxControl::ClearShown() { list_->clear(); }

// As a number field refuses a character: a tip at the list's current item, and the
// same for a screen reader.
void QtListBoxControl::SayNothingChosen() {
  const QString title = QStringLiteral("Nothing chosen");
  const QString text = QStringLiteral("Choose an item with the arrow keys or Space first.");
  const QListWidgetItem* item = list_->currentItem();
  const QRect current = item != nullptr ? list_->visualItemRect(item) : QRect();
  const QPoint at = current.isValid() ? current.bottomLeft() : QPoint(0, 0);
  QToolTip::showText(list_->viewport()->mapToGlobal(at),
                     QStringLiteral("<b>%1</b><br>%2").arg(title, text), list_);
  Announce(title + QStringLiteral(": ") + text);
}
