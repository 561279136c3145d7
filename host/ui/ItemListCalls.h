#pragma once

#include <cstdint>
#include <string_view>

class UiWindow;

// The calls of CListBox and CComboBox that check an index before they forward to the
// window: both lists of items answer alike, each with its own error value (LB_ERR,
// CB_ERR), which these return for an index out of range, changing nothing.
namespace item_list {

// At the index (-1: the end); the new index.
int Insert(UiWindow& window, int id, int index, std::string_view text, int error);
// The number of items left.
int Delete(UiWindow& window, int id, int index, int error);
// -1 clears the selection; the index.
int Select(UiWindow& window, int id, int index, int error);
// 0.
int SetData(UiWindow& window, int id, int index, std::uintptr_t data, int error);
// Selects the first item found as FindItemText finds it; its index.
int SelectFound(UiWindow& window, int id, int startAfter, std::string_view text, int error);

}  // namespace item_list
