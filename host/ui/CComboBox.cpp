#include "ui/CComboBox.h"

#include "ui/ItemSearch.h"
#include "ui/UiWindow.h"

CComboBox::~CComboBox() = default;

int CComboBox::AddString(std::string_view text) { return BoundWindow().AddItem(BoundId(), text); }

int CComboBox::InsertString(int index, std::string_view text) {
  if (index < -1 || index > GetCount()) return CB_ERR;
  return BoundWindow().InsertItem(BoundId(), index, text);
}

int CComboBox::DeleteString(int index) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  BoundWindow().DeleteItem(BoundId(), index);
  return GetCount();
}

void CComboBox::ResetContent() { BoundWindow().ResetItems(BoundId()); }

int CComboBox::GetCount() const { return BoundWindow().ItemCount(BoundId()); }

int CComboBox::GetCurSel() const { return BoundWindow().Selection(BoundId()); }

int CComboBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return CB_ERR;
  BoundWindow().SetSelection(BoundId(), index);
  return index;
}

std::string CComboBox::GetLBText(int index) const {
  return BoundWindow().ItemText(BoundId(), index);
}

void CComboBox::GetLBText(int index, std::string& text) const { text = GetLBText(index); }

int CComboBox::SetItemData(int index, std::uintptr_t data) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  BoundWindow().SetItemData(BoundId(), index, data);
  return 0;
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
  const int index = FindString(startAfter, text);
  if (index < 0) return CB_ERR;
  BoundWindow().SetSelection(BoundId(), index);
  return index;
}
