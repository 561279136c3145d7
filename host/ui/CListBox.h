#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/CWnd.h"

// A single-selection list box. Indexes out of range give LB_ERR.
class CListBox : public CWnd {
 public:
  ~CListBox() override;

  // At the sorted place for a sorted list box, else at the end; the new index.
  int AddString(std::string_view text);
  // At the index (-1: the end), sorted or not; the new index.
  int InsertString(int index, std::string_view text);
  // The number of entries left, or LB_ERR.
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  // The selected index, or LB_ERR when none is selected.
  int GetCurSel() const;
  // -1 clears the selection; LB_ERR for -1 or an index out of range.
  int SetCurSel(int index);
  std::string GetText(int index) const;
  void GetText(int index, std::string& text) const;
  int SetItemData(int index, std::uintptr_t data);
  std::uintptr_t GetItemData(int index) const;
  // Searches after `startAfter` (-1: from the top), wrapping around, ignoring letter
  // case: the first entry that begins with the text, or equals it.
  int FindString(int startAfter, std::string_view text) const;
  int FindStringExact(int startAfter, std::string_view text) const;
  // FindString, then selects what it found; LB_ERR, changing nothing, when nothing.
  int SelectString(int startAfter, std::string_view text);
};
