#include "kelo/pages/CKELODlgFieldChooser.h"

#include "kelo/pages/ResourceIds.h"
#include "kelo/persist/FieldValidation.h"
#include "ui/AfxFunctions.h"
#include "ui/DDX.h"

namespace kelo {

IMPLEMENT_DYNAMIC(CKELODlgFieldChooser, CDialogEx)

CKELODlgFieldChooser::CKELODlgFieldChooser(CWnd* parent)
    : CDialogEx(IDD_KELO_FIELDCHOOSER, parent) {}

CKELODlgFieldChooser::~CKELODlgFieldChooser() = default;

void CKELODlgFieldChooser::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FIELD_LIST, m_fieldList);
  DDX_LBString(pDX, IDC_FIELD_LIST, m_selectedField);
}

bool CKELODlgFieldChooser::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_chosenField.clear();
  // The list box sorts them.
  for (const char* name : FieldChooserNames(m_fieldChooser)) m_fieldList.AddString(name);
  return true;
}

void CKELODlgFieldChooser::OnOK() {
  if (UpdateData(true) && !m_selectedField.empty()) {
    m_chosenField = m_selectedField;
    EndDialog(IDOK);
    return;
  }
  Beep(440, 125);
  m_fieldList.SetFocus();
}

}  // namespace kelo
