#include "ui/CListBox.h"

#include "ui/ItemListCalls.h"
#include "ui/ItemSearch.h"
#include "ui/backend/UiWindow.h"

CListBox::~CListBox() = default;

int CListBox::AddString(std::string_view text) { return BoundWindow().AddItem(BoundId(), text); }

int CListBox::InsertString(int index, std::string_view text) {
  return item_list::Insert(BoundWindow(), BoundId(), index, text, LB_ERR);
}

int CListBox::DeleteString(int index) {
  return item_list::Delete(BoundWindow(), BoundId(), index, LB_ERR);
}

void CListBox::ResetContent() { BoundWindow().ResetItems(BoundId()); }

int CListBox::GetCount() const { return BoundWindow().ItemCount(BoundId()); }

int CListBox::GetCurSel() const { return BoundWindow().Selection(BoundId()); }

int CListBox::SetCurSel(int index) {
  return item_list::Select(BoundWindow(), BoundId(), index, LB_ERR);
}

std::string CListBox::GetText(int index) const { return BoundWindow().ItemText(BoundId(), index); }

void CListBox::GetText(int index, std::string& text) const { text = GetText(index); }

int CListBox::SetItemData(int index, std::uintptr_t data) {
  return item_list::SetData(BoundWindow(), BoundId(), index, data, LB_ERR);
}

std::uintptr_t CListBox::GetItemData(int index) const {
  return BoundWindow().ItemData(BoundId(), index);
}

int CListBox::FindString(int startAfter, std::string_view text) const {
  return FindItemText(BoundWindow(), BoundId(), startAfter, text, false);
}

int CListBox::FindStringExact(int startAfter, std::string_view text) const {
  return FindItemText(BoundWindow(), BoundId(), startAfter, text, true);
}

int CListBox::SelectString(int startAfter, std::string_view text) {
  return item_list::SelectFound(BoundWindow(), BoundId(), startAfter, text, LB_ERR);
}
