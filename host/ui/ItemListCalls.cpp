#include "ui/ItemListCalls.h"

#include "ui/ItemSearch.h"
#include "ui/backend/UiWindow.h"

namespace item_list {

int Insert(UiWindow& window, int id, int index, std::string_view text, int error) {
  if (index < -1 || index > window.ItemCount(id)) return error;
  return window.InsertItem(id, index, text);
}

int Delete(UiWindow& window, int id, int index, int error) {
  if (index < 0 || index >= window.ItemCount(id)) return error;
  window.DeleteItem(id, index);
  return window.ItemCount(id);
}

int Select(UiWindow& window, int id, int index, int error) {
  if (index < -1 || index >= window.ItemCount(id)) return error;
  window.SetSelection(id, index);
  return index;
}

int SetData(UiWindow& window, int id, int index, std::uintptr_t data, int error) {
  if (index < 0 || index >= window.ItemCount(id)) return error;
  window.SetItemData(id, index, data);
  return 0;
}

int SelectFound(UiWindow& window, int id, int startAfter, std::string_view text, int error) {
  const int index = FindItemText(window, id, startAfter, text, false);
  if (index < 0) return error;
  window.SetSelection(id, index);
  return index;
}

}  // namespace item_list
