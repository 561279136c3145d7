#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/backend/ItemListModel.h"

// What list boxes and combo boxes share: items with attached numbers, kept in
// byte-wise order with ControlStyle::Sorted, at most one selected; and finding an
// item by the letters the user types (type-ahead).
class TerminalItemList {
 public:
  explicit TerminalItemList(bool sorted) : items_(sorted) {}
  virtual ~TerminalItemList();

  int AddItem(std::string_view text);
  int InsertItem(int index, std::string_view text);
  void DeleteItem(int index);
  void ResetItems();
  int ItemCount() const { return items_.Count(); }
  std::string ItemText(int index) const { return items_.Text(index); }
  void SetItemData(int index, std::uintptr_t data) { items_.SetData(index, data); }
  std::uintptr_t ItemData(int index) const { return items_.Data(index); }

  virtual int Selection() const { return items_.Selection(); }
  // -1 clears; an index out of range changes nothing.
  virtual void SetSelection(int index);

 protected:
  const ItemListModel& Items() const { return items_; }
  // The selection or the items changed, from code or by the user.
  virtual void ItemsChanged() {}
  // Type-ahead: the item a typed character leads to, from the current one; -1 when
  // none. Characters typed within a second of each other make one prefix.
  int TypeAhead(char32_t c, int current);
  // Letters typed after the focus comes back begin a new prefix, however soon.
  void EndTypeAhead() { typed_.clear(); }

 private:
  ItemListModel items_;
  std::u32string typed_;
  std::chrono::steady_clock::time_point lastTyped_{};
};
