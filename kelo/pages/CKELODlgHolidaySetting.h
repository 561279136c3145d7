#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "ui/CDateTimeCtrl.h"
#include "ui/CDialogEx.h"
#include "ui/CListBox.h"
#include "ui/CListCtrl.h"

namespace kelo {

// The modal "Holiday setting" dialog (template 12002): edits its own copy of the
// opener's holiday table. The opener takes GetHolidayTable() back only when the
// dialog ends with IDOK. The holiday list always shows exactly the entries of the
// shown currency, sorted by date key; every command keeps both in step in at most
// O(n log n) for n entries. "Import..." and "Export..." take the shown currency's
// holidays in from and out to iCalendar and CSV files; "New currency..." brings a
// currency the calendar does not hold yet into the list.
class CKELODlgHolidaySetting : public CDialogEx {
 public:
  explicit CKELODlgHolidaySetting(const HolidayTable& holidays, CWnd* parent = nullptr);
  ~CKELODlgHolidaySetting() override;

  const HolidayTable& GetHolidayTable() const { return m_holidays; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;

  void OnSelchangeCurrency();
  void OnAdd();
  void OnAddHolidaysOfYear();
  void OnRemove();
  void OnRemoveAll();
  void OnImport();
  void OnExport();
  void OnNewCurrency();

  DECLARE_MESSAGE_MAP()

 private:
  // Fills the holiday list from the selected currency unless it shows it already.
  void ShowSelectedCurrency();
  // The text of the selected currency; nothing, after telling the user, when no
  // currency is selected.
  std::optional<std::string> SelectedCurrency();
  // The text of the shown currency; nothing, after telling the user, when none is.
  std::optional<std::string> ShownCurrency();
  void ShowMessage(std::string_view text);
  // A file that could not be read or written: with the warning icon, as the pages
  // show a refusal, so that whoever runs the dialog can tell failure from a report.
  void ShowWarning(std::string_view text);

  HolidayTable m_holidays;
  int m_shownCurrency = -1;
  CListBox m_currencyList;
  CListCtrl m_holidayList;
  CDateTimeCtrl m_datePicker;
  CDateTimeCtrl m_yearPicker;
};

}  // namespace kelo
