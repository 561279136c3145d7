#include "ui/CListBox.h"

#include "ui/ItemSearch.h"
#include "ui/UiWindow.h"

CListBox::~CListBox() = default;

int CListBox::AddString(std::string_view text) { return BoundWindow().AddItem(BoundId(), text); }

int CListBox::InsertString(int index, std::string_view text) {
  if (index < -1 || index > GetCount()) return LB_ERR;
  return BoundWindow().InsertItem(BoundId(), index, text);
}

int CListBox::DeleteString(int index) {
  if (index < 0 || index >= GetCount()) return LB_ERR;
  BoundWindow().DeleteItem(BoundId(), index);
  return GetCount();
}

void CListBox::ResetContent() { BoundWindow().ResetItems(BoundId()); }

int CListBox::GetCount() const { return BoundWindow().ItemCount(BoundId()); }

int CListBox::GetCurSel() const { return BoundWindow().Selection(BoundId()); }

int CListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return LB_ERR;
  BoundWindow().SetSelection(BoundId(), index);
  return index;
}

std::string CListBox::GetText(int index) const { return BoundWindow().ItemText(BoundId(), index); }

void CListBox::GetText(int index, std::string& text) const { text = GetText(index); }

int CListBox::SetItemData(int index, std::uintptr_t data) {
  if (index < 0 || index >= GetCount()) return LB_ERR;
  BoundWindow().SetItemData(BoundId(), index, data);
  return 0;
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
  const int index = FindString(startAfter, text);
  if (index < 0) return LB_ERR;
  BoundWindow().SetSelection(BoundId(), index);
  return index;
}
