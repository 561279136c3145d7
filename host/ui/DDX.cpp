#include "ui/DDX.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/AfxFunctions.h"
#include "ui/CDataExchange.h"
#include "ui/CDialog.h"
#include "ui/CWnd.h"
#include "ui/DialogTemplate.h"
#include "ui/ItemSearch.h"
#include "ui/backend/UiWindow.h"

namespace {

UiWindow& PrepareWindow(CDataExchange* pDX, int controlId) {
  pDX->PrepareCtrl(controlId);
  UiWindow* window = pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetUiWindow() : nullptr;
  if (!window) throw std::logic_error("data exchange with a dialog that has no window");
  return *window;
}

std::optional<int> ParseInt(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const std::uint64_t limit =
      negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<int>::max()};
  if (magnitude > limit) return std::nullopt;
  return negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude))
                  : static_cast<int>(magnitude);
}

}  // namespace

void DDX_StorableTexts(CDataExchange* pDX, const DialogTemplate& dialog) {
  if (!pDX->m_bSaveAndValidate) return;
  UiWindow* window = pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetUiWindow() : nullptr;
  if (!window) return;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == IDC_STATIC ||
        (control.kind != ControlKind::Edit && control.kind != ControlKind::ComboBox))
      continue;
    const std::optional<char32_t> character = window->UnstorableCharacter(control.id);
    if (!character) continue;
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(*character));
    pDX->PrepareCtrl(control.id);
    AfxMessageBox("\"" + dialog.FieldName(control.id) + "\" holds the character " + codePoint +
                      ", which the configuration cannot store. Please use characters of "
                      "ISO-8859-1 only.",
                  MB_OK | MB_ICONWARNING);
    pDX->Fail();
  }
}

void DDX_Text(CDataExchange* pDX, int controlId, std::string& value) {
  UiWindow& window = PrepareWindow(pDX, controlId);
  if (pDX->m_bSaveAndValidate) {
    value = window.Text(controlId);
  } else {
    window.SetText(controlId, value);
  }
}

std::string WholeNumberMessage(const std::string& fieldName) {
  return "\"" + fieldName + "\" takes a whole number from " +
         std::to_string(std::numeric_limits<int>::min()) + " to " +
         std::to_string(std::numeric_limits<int>::max()) + ".";
}

void DDX_Text(CDataExchange* pDX, int controlId, int& value) {
  UiWindow& window = PrepareWindow(pDX, controlId);
  window.MarkWholeNumber(controlId);
  if (!pDX->m_bSaveAndValidate) {
    window.SetText(controlId, std::to_string(value));
    return;
  }
  const std::optional<int> parsed = ParseInt(window.Text(controlId));
  if (!parsed) {
    const auto* dialog = dynamic_cast<const CDialog*>(pDX->m_pDlgWnd);
    const std::string field = dialog ? dialog->GetTemplate().FieldName(controlId)
                                     : "control " + std::to_string(controlId);
    AfxMessageBox(WholeNumberMessage(field), MB_OK | MB_ICONWARNING);
    pDX->Fail();
  }
  value = *parsed;
}

void DDX_Check(CDataExchange* pDX, int controlId, int& value) {
  UiWindow& window = PrepareWindow(pDX, controlId);
  if (pDX->m_bSaveAndValidate) {
    value = window.Check(controlId);
  } else {
    window.SetCheck(controlId, value);
  }
}

void DDX_Check(CDataExchange* pDX, int controlId, bool& value) {
  int state = value ? BST_CHECKED : BST_UNCHECKED;
  DDX_Check(pDX, controlId, state);
  value = state == BST_CHECKED;
}

void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control) {
  PrepareWindow(pDX, controlId);
  if (!control.IsBound()) control.SubclassDlgItem(controlId, *pDX->m_pDlgWnd);
}

void DDX_LBString(CDataExchange* pDX, int controlId, std::string& value) {
  UiWindow& window = PrepareWindow(pDX, controlId);
  if (pDX->m_bSaveAndValidate) {
    const int selected = window.Selection(controlId);
    value = selected >= 0 ? window.ItemText(controlId, selected) : std::string();
    return;
  }
  if (value.empty()) return;
  const int found = FindItemText(window, controlId, -1, value, false);
  if (found >= 0) window.SetSelection(controlId, found);
}

void DDX_CBString(CDataExchange* pDX, int controlId, std::string& value) {
  UiWindow& window = PrepareWindow(pDX, controlId);
  if (pDX->m_bSaveAndValidate) {
    value = window.Text(controlId);
    return;
  }
  const int found = value.empty() ? -1 : FindItemText(window, controlId, -1, value, false);
  if (found >= 0) {
    window.SetSelection(controlId, found);
  } else {
    window.SetText(controlId, value);
  }
}
