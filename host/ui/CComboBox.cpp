#include "ui/CComboBox.h"

#include "ui/ItemListCalls.h"
#include "ui/ItemSearch.h"
#include "ui/backend/UiWindow.h"

CComboBox::~CComboBox() = default;

int CComboBox::AddString(std::string_view text) { return BoundWindow().AddItem(BoundId(), text); }

int CComboBox::InsertString(int index, std::string_view text) {
  return item_list::Insert(BoundWindow(), BoundId(), index, text, CB_ERR);
}

int CComboBox::DeleteString(int index) {
  return item_list::Delete(BoundWindow(), BoundId(), index, CB_ERR);
}

void CComboBox::ResetContent() { BoundWindow().ResetItems(BoundId()); }

int CComboBox::GetCount() const { return BoundWindow().ItemCount(BoundId()); }

int CComboBox::GetCurSel() const { return BoundWindow().Selection(BoundId()); }

int CComboBox::SetCurSel(int index) {
  return item_list::Select(BoundWindow(), BoundId(), index, CB_ERR);
}

std::string CComboBox::GetLBText(int index) const {
  return BoundWindow().ItemText(BoundId(), index);
}

void CComboBox::GetLBText(int index, std::string& text) const { text = GetLBText(index); }

int CComboBox::SetItemData(int index, std::uintptr_t data) {
  return item_list::SetData(BoundWindow(), BoundId(), index, data, CB_ERR);
}

std::uintptr_t CComboBox::GetItemData(int index) const {
  return BoundWindow().ItemData(BoundId(), index);
}

int CComboBox::FindString(int startAfter, std::string_view text) const {
  return FindItemText(BoundWindow(), BoundId(), startAfter, text, false);
}

int CComboBox::FindStringExact(int startAfter, std::string_view text) const {
  return FindItemText(BoundWindow(), BoundId(), startAfter, text, true);
}

int CComboBox::SelectString(int startAfter, std::string_view text) {
  return item_list::SelectFound(BoundWindow(), BoundId(), startAfter, text, CB_ERR);
}
