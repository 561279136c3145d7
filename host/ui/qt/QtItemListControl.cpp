#include "ui/qt/QtItemListControl.h"

#include "ui/qt/Latin1.h"

QtItemListControl::QtItemListControl(const ControlTemplate& control, QWidget& widget,
                                     const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, widget, geometry, std::move(channel)),
      items_(control.Has(ControlStyle::Sorted)) {}

int QtItemListControl::AddItem(std::string_view text) {
  const int index = items_.Add(text);
  if (index >= 0) InsertShown(index, ToQString(text));
  return index;
}

int QtItemListControl::InsertItem(int index, std::string_view text) {
  const int inserted = items_.Insert(index, text);
  if (inserted >= 0) InsertShown(inserted, ToQString(text));
  return inserted;
}

void QtItemListControl::DeleteItem(int index) {
  if (items_.Delete(index)) RemoveShown(index);
}

void QtItemListControl::ResetItems() {
  items_.Clear();
  ClearShown();
}
