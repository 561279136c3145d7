#pragma once

#include <QString>
#include <cstdint>

#include "ui/backend/ItemListModel.h"
#include "ui/qt/QtControl.h"

// What list boxes and combo boxes share: items with attached numbers, kept in
// byte-wise order with ControlStyle::Sorted. The texts and numbers are kept here,
// byte for byte; the widget shows them and holds the selection.
class QtItemListControl : public QtControl {
 public:
  QtItemListControl(const ControlTemplate& control, QWidget& widget, const QRect& geometry,
                    std::shared_ptr<NotifyChannel> channel);

  int AddItem(std::string_view text);
  int InsertItem(int index, std::string_view text);
  void DeleteItem(int index);
  void ResetItems();
  int ItemCount() const { return items_.Count(); }
  std::string ItemText(int index) const { return items_.Text(index); }
  void SetItemData(int index, std::uintptr_t data) { items_.SetData(index, data); }
  std::uintptr_t ItemData(int index) const { return items_.Data(index); }

  virtual int Selection() const = 0;
  virtual void SetSelection(int index) = 0;

 protected:
  const ItemListModel& Items() const { return items_; }
  // The widget's side of the item operations, keeping the selection on its item.
  virtual void InsertShown(int index, const QString& text) = 0;
  virtual void RemoveShown(int index) = 0;
  virtual void ClearShown() = 0;

 private:
  ItemListModel items_;
};
