#include "kelo/pages/CKELODlgHolidaySetting.h"

#include <algorithm>
#include <vector>

#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/CalendarRangeError.h"
#include "kelo/holiday/StandardHolidays.h"
#include "kelo/holidayfile/HolidayFile.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/HolidayImport.h"
#include "kelo/pages/CKELODlgNewCurrency.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "ui/CFileDialog.h"
#include "ui/DDX.h"

namespace kelo {

namespace {

constexpr const char* kCaption = "Message";
constexpr const char* kSelectCurrencyFirst = "Please select Currency first";
constexpr const char* kAlreadyAdded = "The date of the holiday already added";
constexpr const char* kCalendarFilter =
    "Holiday calendars (*.ics;*.csv)|*.ics;*.csv|iCalendar files (*.ics)|*.ics|"
    "CSV files (*.csv)|*.csv||";

}  // namespace

BEGIN_MESSAGE_MAP(CKELODlgHolidaySetting, CDialogEx)
ON_LBN_SELCHANGE(IDC_HOLIDAY_CURRENCY, &CKELODlgHolidaySetting::OnSelchangeCurrency)
ON_BN_CLICKED(IDC_HOLIDAY_ADD, &CKELODlgHolidaySetting::OnAdd)
ON_BN_CLICKED(IDC_HOLIDAY_ADD_YEAR, &CKELODlgHolidaySetting::OnAddHolidaysOfYear)
ON_BN_CLICKED(IDC_HOLIDAY_REMOVE, &CKELODlgHolidaySetting::OnRemove)
ON_BN_CLICKED(IDC_HOLIDAY_REMOVE_ALL, &CKELODlgHolidaySetting::OnRemoveAll)
ON_BN_CLICKED(IDC_HOLIDAY_IMPORT, &CKELODlgHolidaySetting::OnImport)
ON_BN_CLICKED(IDC_HOLIDAY_EXPORT, &CKELODlgHolidaySetting::OnExport)
ON_BN_CLICKED(IDC_HOLIDAY_NEW_CURRENCY, &CKELODlgHolidaySetting::OnNewCurrency)
END_MESSAGE_MAP()

CKELODlgHolidaySetting::CKELODlgHolidaySetting(const HolidayTable& holidays, CWnd* parent)
    : CDialogEx(IDD_KELO_HOLIDAYSETTING, parent), m_holidays(holidays) {}

CKELODlgHolidaySetting::~CKELODlgHolidaySetting() = default;

void CKELODlgHolidaySetting::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_HOLIDAY_CURRENCY, m_currencyList);
  DDX_Control(pDX, IDC_HOLIDAY_LIST, m_holidayList);
  DDX_Control(pDX, IDC_HOLIDAY_DATE, m_datePicker);
  DDX_Control(pDX, IDC_HOLIDAY_YEAR, m_yearPicker);
}

bool CKELODlgHolidaySetting::OnInitDialog() {
  CDialogEx::OnInitDialog();

  for (const char* currency : {"GBP", "EUR", "USD"}) m_holidays.EnsureCurrency(currency);
  for (const auto& [currency, list] : m_holidays) m_currencyList.AddString(currency);

  m_holidayList.InsertColumn(0, "Date", LVCFMT_LEFT, 100);
  m_holidayList.InsertColumn(1, "Remark", LVCFMT_LEFT, 125);
  m_holidayList.SetExtendedStyle(m_holidayList.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                 LVS_EX_FULLROWSELECT);

  // The rule holidays are exact for these years only.
  const DateTimeValue earliest{static_cast<int>(kFirstDialogYear), 1, 1, 0, 0, 0};
  const DateTimeValue latest{static_cast<int>(kLastDialogYear), 12, 30, 12, 0, 0};
  m_yearPicker.SetRange(&earliest, &latest);
  m_yearPicker.SetFormat("yyy");

  if (m_currencyList.GetCount() > 0) {
    m_currencyList.SetCurSel(0);
    ShowSelectedCurrency();
  }
  return true;
}

void CKELODlgHolidaySetting::OnSelchangeCurrency() { ShowSelectedCurrency(); }

void CKELODlgHolidaySetting::ShowSelectedCurrency() {
  const int selected = m_currencyList.GetCurSel();
  if (selected == m_shownCurrency) return;
  m_shownCurrency = selected;
  m_holidayList.DeleteAllItems();

  const std::string currency = m_currencyList.GetText(selected);
  if (currency.empty()) return;
  const HolidayList* list = m_holidays.Find(currency);
  if (!list) return;
  std::vector<ListViewRow> rows;
  rows.reserve(list->size());
  for (const auto& [dateKey, remark] : *list) rows.push_back({dateKey, remark});
  m_holidayList.InsertItems(rows);
}

std::optional<std::string> CKELODlgHolidaySetting::SelectedCurrency() {
  const int selected = m_currencyList.GetCurSel();
  if (selected < 0 || selected >= m_currencyList.GetCount()) {
    ShowMessage(kSelectCurrencyFirst);
    return std::nullopt;
  }
  return m_currencyList.GetText(selected);
}

std::optional<std::string> CKELODlgHolidaySetting::ShownCurrency() {
  if (m_shownCurrency < 0 || m_shownCurrency >= m_currencyList.GetCount()) {
    ShowMessage(kSelectCurrencyFirst);
    return std::nullopt;
  }
  return m_currencyList.GetText(m_shownCurrency);
}

void CKELODlgHolidaySetting::OnAdd() {
  const std::optional<std::string> shown = ShownCurrency();
  if (!shown) return;
  const std::string& currency = *shown;
  const DateTimeValue date = m_datePicker.GetTime();
  const auto year = static_cast<unsigned>(date.year);
  const auto month = static_cast<unsigned>(date.month);
  const auto day = static_cast<unsigned>(date.day);
  if (m_holidays.HolidayExists(currency, year, month, day)) {
    ShowMessage(kAlreadyAdded);
    return;
  }
  unsigned dayOfWeek = 0;
  try {
    dayOfWeek = DayOfWeek(year, month, day);
  } catch (const CalendarRangeError& error) {
    ShowMessage(std::string("The holiday was not added: ") + error.what());
    return;
  }
  const std::string remark(DefaultRemark(dayOfWeek));
  if (!m_holidays.AddHoliday(currency, year, month, day, remark)) return;
  const int row = m_holidayList.InsertItem(0, FormatDateKey(year, month, day));
  m_holidayList.SetItemText(row, 1, remark);
}

void CKELODlgHolidaySetting::OnAddHolidaysOfYear() {
  const std::optional<std::string> currency = SelectedCurrency();
  if (!currency) return;
  const auto year = static_cast<unsigned>(m_yearPicker.GetTime().year);
  const std::vector<HolidayEntry> added = m_holidays.AddHolidaysOfYear(*currency, year);
  std::vector<ListViewRow> rows;
  rows.reserve(added.size());
  for (const auto& [dateKey, remark] : added) rows.push_back({dateKey, remark});
  m_holidayList.InsertItems(rows);
}

void CKELODlgHolidaySetting::OnRemove() {
  const std::optional<std::string> currency = SelectedCurrency();
  if (!currency || !m_holidays.Find(*currency)) return;
  if (m_holidayList.GetSelectedCount() == 0) return;

  struct Selected {
    int row;
    std::string dateKey;
  };
  std::vector<Selected> selected;
  for (int row : m_holidayList.GetSelectedItems()) {
    std::string dateKey = m_holidayList.GetItemText(row, 0);
    if (!dateKey.empty()) selected.push_back({row, std::move(dateKey)});
  }
  // Rows are found before any is removed and then removed in one pass, so removing
  // many rows stays linear in the length of the list. The rows that begin with a key
  // sort together and the key's own row is one of them, so unless the row above it
  // also begins with the key, that row is the first: no search is needed.
  std::vector<int> doomed;
  doomed.reserve(selected.size());
  for (const auto& [selectedRow, dateKey] : selected) {
    const bool firstOfItsKey =
        selectedRow == 0 ||
        !std::string_view(m_holidayList.GetItemText(selectedRow - 1, 0)).starts_with(dateKey);
    const int row = firstOfItsKey ? selectedRow : m_holidayList.FindItemByPrefix(dateKey);
    if (row < 0) continue;
    doomed.push_back(row);
    m_holidays.RemoveHoliday(*currency, dateKey);
  }
  m_holidayList.DeleteItems(doomed);
}

void CKELODlgHolidaySetting::OnRemoveAll() {
  const std::optional<std::string> currency = SelectedCurrency();
  if (!currency || !m_holidays.Find(*currency)) return;
  const int count = m_holidayList.GetItemCount();
  for (int row = 0; row < count; ++row) {
    const std::string dateKey = m_holidayList.GetItemText(row, 0);
    if (!dateKey.empty()) m_holidays.RemoveHoliday(*currency, dateKey);
  }
  m_holidayList.DeleteAllItems();
}

void CKELODlgHolidaySetting::OnImport() {
  const std::optional<std::string> currency = ShownCurrency();
  if (!currency || !m_holidays.Find(*currency)) return;
  CFileDialog chooser(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kCalendarFilter,
                      this);
  if (chooser.DoModal() != IDOK) return;

  HolidayFileContent file;
  try {
    file = ReadHolidayFile(chooser.GetPathName());
  } catch (const HolidayFileError& error) {
    ShowWarning(std::string("The holidays were not imported: ") + error.what());
    return;
  }
  const HolidayImport imported = ImportHolidays(m_holidays, *currency, file);
  std::vector<ListViewRow> rows;
  rows.reserve(imported.added.size());
  for (const auto& [dateKey, remark] : imported.added) rows.push_back({dateKey, remark});
  m_holidayList.InsertItems(rows);
  ShowMessage(DescribeImport(*currency, imported));
}

void CKELODlgHolidaySetting::OnExport() {
  const std::optional<std::string> currency = ShownCurrency();
  if (!currency) return;
  const HolidayList* list = m_holidays.Find(*currency);
  if (!list) return;
  std::string suggested = *currency + "-holidays.ics";
  std::replace(suggested.begin(), suggested.end(), '/', '_');
  CFileDialog chooser(false, "ics", suggested.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      kCalendarFilter, this);
  if (chooser.DoModal() != IDOK) return;

  try {
    const HolidayExport written = WriteHolidayFile(chooser.GetPathName(), *currency, *list);
    ShowMessage(DescribeExport(*currency, chooser.GetFileName(), written));
  } catch (const HolidayFileError& error) {
    ShowWarning(std::string("The holidays were not exported: ") + error.what());
  }
}

void CKELODlgHolidaySetting::OnNewCurrency() {
  CKELODlgNewCurrency dialog(this);
  if (dialog.DoModal() != IDOK) return;
  const std::string& currency = dialog.GetCurrency();
  // A currency listed already is only selected: the list shows each code once, and
  // tells codes apart by every byte, letter case included.
  int index = -1;
  for (int i = 0; i < m_currencyList.GetCount() && index < 0; ++i)
    if (m_currencyList.GetText(i) == currency) index = i;
  if (index < 0) {
    m_holidays.EnsureCurrency(currency);
    index = m_currencyList.AddString(currency);
    // The sorted list may have moved the shown currency to another index.
    m_shownCurrency = -1;
  }
  m_currencyList.SetCurSel(index);
  ShowSelectedCurrency();
}

void CKELODlgHolidaySetting::ShowMessage(std::string_view text) {
  MessageBox(text, kCaption, MB_OK);
}

void CKELODlgHolidaySetting::ShowWarning(std::string_view text) {
  MessageBox(text, kCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace kelo
