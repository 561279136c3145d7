#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The items of a list box or combo box as a backend may keep them: texts with
// attached numbers and at most one selected item, optionally kept in ascending
// byte-wise order. Indexes out of range are refused (false, -1, "" or 0).
class ItemListModel {
 public:
  explicit ItemListModel(bool sorted = false) : sorted_(sorted) {}

  // Sorted: after the items with an equal text; else at the end. The new index.
  int Add(std::string_view text);
  // At the index (-1: the end), sorted or not; -1 when the index is out of range.
  int Insert(int index, std::string_view text);
  bool Delete(int index);
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Text(int index) const;
  bool SetData(int index, std::uintptr_t data);
  std::uintptr_t Data(int index) const;
  // The first item whose text equals the text byte for byte, or -1.
  int FindExact(std::string_view text) const;

  int Selection() const { return selection_; }
  // -1 clears; false, changing nothing, for an index out of range.
  bool Select(int index);

 private:
  struct Item {
    std::string text;
    std::uintptr_t data = 0;
  };

  bool sorted_;
  std::vector<Item> items_;
  int selection_ = -1;
};
