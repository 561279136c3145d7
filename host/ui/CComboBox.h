#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/CWnd.h"

// A combo box: a list of items with attached numbers and, with ControlStyle::DropDown,
// a text field (SetWindowText, GetWindowText). Indexes out of range give CB_ERR.
class CComboBox : public CWnd {
 public:
  ~CComboBox() override;

  int AddString(std::string_view text);
  int InsertString(int index, std::string_view text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  // The selected index, or CB_ERR when none is selected.
  int GetCurSel() const;
  // Selects the item and shows its text in the text field; -1 clears both.
  int SetCurSel(int index);
  std::string GetLBText(int index) const;
  void GetLBText(int index, std::string& text) const;
  int SetItemData(int index, std::uintptr_t data);
  std::uintptr_t GetItemData(int index) const;
  // As CListBox::FindString, FindStringExact and SelectString.
  int FindString(int startAfter, std::string_view text) const;
  int FindStringExact(int startAfter, std::string_view text) const;
  int SelectString(int startAfter, std::string_view text);
};
