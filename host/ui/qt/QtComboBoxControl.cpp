#include "ui/qt/QtComboBoxControl.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

#include "ui/qt/ComboBoxAccessible.h"
#include "ui/qt/Latin1.h"

QtComboBoxControl::QtComboBoxControl(const ControlTemplate& control, QWidget& parent,
                                     const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtItemListControl(control, *new NamedComboBox(&parent), geometry, std::move(channel)),
      combo_(static_cast<QComboBox*>(&Widget())) {
  if (control.Has(ControlStyle::DropDown)) {
    combo_->setEditable(true);
    // A Windows combo box neither completes nor adds what the user types.
    combo_->setCompleter(nullptr);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    Listen(combo_->lineEdit(), &QLineEdit::textEdited,
           [this](const QString& text) { OnTextEdited(text); });
  }
  // The template's height includes the dropped-down list; the box itself is as
  // high as its font needs.
  const int boxHeight = combo_->sizeHint().height();
  combo_->setGeometry(geometry.x(), geometry.y(), geometry.width(), boxHeight);
  const int rowHeight = std::max(1, combo_->fontMetrics().height() + 2);
  combo_->setMaxVisibleItems(std::max(1, (geometry.height() - boxHeight) / rowHeight));
  combo_->setCurrentIndex(-1);
  Listen(combo_, &QComboBox::activated,
         [channel = SharedChannel(), id = Id()] { channel->Notify(id, CBN_SELCHANGE); });
}

void QtComboBoxControl::SetText(std::string_view text) {
  const int match = Items().FindExact(text);
  combo_->setCurrentIndex(match);
  if (match < 0 && Editable()) combo_->setEditText(ToQString(text));
}

std::string QtComboBoxControl::Text() const {
  if (Editable()) return ToBytes(combo_->currentText());
  return ItemText(combo_->currentIndex());
}

std::optional<char32_t> QtComboBoxControl::UnstorableCharacter() const {
  if (!Editable()) return std::nullopt;
  return FirstBeyondLatin1(combo_->currentText());
}

int QtComboBoxControl::Selection() const { return combo_->currentIndex(); }

void QtComboBoxControl::SetSelection(int index) {
  if (index < -1 || index >= ItemCount()) return;
  combo_->setCurrentIndex(index);
}

void QtComboBoxControl::SelectKeepingText(int index, const QString& text) {
  if (combo_->currentIndex() != index) combo_->setCurrentIndex(index);
  if (!Editable()) return;
  QLineEdit* edit = combo_->lineEdit();
  if (edit->text() == text) return;
  const int cursor = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(cursor);
}

void QtComboBoxControl::InsertShown(int index, const QString& text) {
  const int selected = combo_->currentIndex();
  const QString field = combo_->currentText();
  combo_->insertItem(index, text);
  // Qt selects the first item put into an empty box; Windows leaves it unselected.
  SelectKeepingText(selected >= index ? selected + 1 : selected, field);
}

void QtComboBoxControl::RemoveShown(int index) {
  const int selected = combo_->currentIndex();
  const QString field = combo_->currentText();
  combo_->removeItem(index);
  // Qt moves the selection of a removed item to a neighbour; Windows drops it.
  SelectKeepingText(selected == index ? -1 : selected > index ? selected - 1 : selected, field);
}

void QtComboBoxControl::ClearShown() {
  combo_->clear();
  combo_->clearEditText();
}

void QtComboBoxControl::OnTextEdited(const QString& text) {
  if (!Channel().IsOpen()) return;
  {
    NotifyChannel::Silence quiet(Channel());
    SelectKeepingText(Items().FindExact(ToBytes(text)), text);
  }
  SharedChannel()->Notify(Id(), CBN_EDITCHANGE);
}

void QtComboBoxControl::SetAccessibleName(const QString& name) {
  QtControl::SetAccessibleName(name);
  if (combo_->lineEdit() != nullptr) combo_->lineEdit()->setAccessibleName(name);
}
