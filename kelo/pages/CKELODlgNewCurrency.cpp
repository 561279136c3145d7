#include "kelo/pages/CKELODlgNewCurrency.h"

#include <algorithm>
#include <string_view>

#include "kelo/config/HolidayTableText.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "kelo/pages/TextTrim.h"
#include "ui/DDX.h"

namespace kelo {

namespace {

// Why the code cannot be a currency of the calendar; empty when it can.
std::string_view Refusal(std::string_view code) {
  if (code.empty()) return "Currency can not be empty";
  if (std::any_of(code.begin(), code.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
    return "Currency can not hold control characters";
  if (code.find('|') != std::string_view::npos) return "Currency can not hold \"|\"";
  if (!CanStoreCurrency(code)) return "Currency must have at least two characters";
  return {};
}

}  // namespace

CKELODlgNewCurrency::CKELODlgNewCurrency(CWnd* parent) : CDialogEx(IDD_KELO_NEWCURRENCY, parent) {}

CKELODlgNewCurrency::~CKELODlgNewCurrency() = default;

void CKELODlgNewCurrency::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_NEW_CURRENCY_CODE, m_currency);
}

void CKELODlgNewCurrency::OnOK() {
  if (!UpdateData(true)) return;
  m_currency = TrimWhiteSpace(m_currency);
  if (const std::string_view refusal = Refusal(m_currency); !refusal.empty()) {
    // Captioned as the holiday setting dialog captions its messages.
    MessageBox(refusal, "Message", MB_OK | MB_ICONWARNING);
    GetDlgItem(IDC_NEW_CURRENCY_CODE)->SetFocus();
    return;
  }
  EndDialog(IDOK);
}

}  // namespace kelo
