#include "tests/host/ui/TestDialogs.h"

#include <stdexcept>

namespace uitest {

DialogTemplate MainTemplate() {
  using K = ControlKind;
  using S = ControlStyle;
  DialogTemplate dialog;
  dialog.id = kMainDialog;
  dialog.title = "Test dialog";
  dialog.width = 300;
  dialog.height = 200;
  dialog.controls = {
      {IDC_STATIC, K::Label, "Name:", {}},
      {kName, K::Edit, "", {}},
      {IDC_STATIC, K::Label, "Count:", {}},
      {kCount, K::Edit, "", {}},
      {kEnabled, K::CheckBox, "&Enabled", {}},
      {kAutoA, K::RadioButton, "Auto A", {}, S::AutoRadio | S::Group},
      {kAutoB, K::RadioButton, "Auto B", {}, S::AutoRadio},
      {kAutoC, K::RadioButton, "Auto C", {}, S::AutoRadio | S::Group},
      {kAutoD, K::RadioButton, "Auto D", {}, S::AutoRadio},
      {kPlain, K::RadioButton, "Plain", {}, S::Group},
      {kSortedList, K::ListBox, "", {}, S::Sorted | S::Notify},
      {kQuietList, K::ListBox, "", {}},
      {kEditCombo, K::ComboBox, "", {}, S::DropDown | S::Sorted},
      {kDropList, K::ComboBox, "", {}},
      // The list view, the picker and the button stacked in one column, another button
      // beside the picker: the picker is the control "above" the button.
      {kRows, K::ListView, "", {10, 10, 100, 40}, S::SortAscending},
      {kDate, K::DateTimePicker, "", {10, 60, 80, 14}},
      {kOpenChild, K::PushButton, "Open child", {10, 80, 80, 14}},
      {kDisabled, K::PushButton, "Disabled", {120, 60, 50, 14}, S::Disabled},
      {kReadOnly, K::Edit, "", {}, S::ReadOnly},
      {IDOK, K::PushButton, "OK", {}, S::DefaultButton},
      {IDCANCEL, K::PushButton, "Cancel", {}},
  };
  return dialog;
}

DialogTemplate ChildTemplate() {
  DialogTemplate dialog;
  dialog.id = kChildDialog;
  dialog.title = "Child dialog";
  dialog.controls = {
      {kChildText, ControlKind::Edit, "", {}},
      {IDOK, ControlKind::PushButton, "OK", {}},
      {IDCANCEL, ControlKind::PushButton, "Cancel", {}},
  };
  return dialog;
}

DialogTemplate PageTemplate(int id, const std::string& title) {
  DialogTemplate dialog;
  dialog.id = id;
  dialog.title = title;
  dialog.style = DialogStyle::Child;
  dialog.controls = {{kPageText, ControlKind::Edit, "", {}}};
  return dialog;
}

BEGIN_MESSAGE_MAP(MainDialog, CDialogEx)
ON_BN_CLICKED(kEnabled, &MainDialog::OnEnabledClicked)
ON_EN_CHANGE(kName, &MainDialog::OnNameChanged)
ON_LBN_SELCHANGE(kSortedList, &MainDialog::OnSortedSelChange)
ON_LBN_SELCHANGE(kQuietList, &MainDialog::OnQuietSelChange)
ON_CBN_SELCHANGE(kEditCombo, &MainDialog::OnComboSelChange)
ON_CBN_EDITCHANGE(kEditCombo, &MainDialog::OnComboEdit)
ON_LVN_ITEMCHANGED(kRows, &MainDialog::OnRowsChanged)
ON_DTN_DATETIMECHANGE(kDate, &MainDialog::OnDateChanged)
ON_BN_CLICKED(kPlain, &MainDialog::OnPlainClicked)
ON_BN_CLICKED(kOpenChild, &MainDialog::OnOpenChild)
END_MESSAGE_MAP()

void MainDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, kName, name);
  DDX_Text(pDX, kCount, count);
  DDX_Check(pDX, kEnabled, enabled);
}

void MainDialog::OnPlainClicked() { throw std::runtime_error("the plain button broke"); }

void MainDialog::OnOpenChild() {
  ChildDialog child(this);
  childResult = child.DoModal();
  childText = child.text;
  log.push_back("child closed");
}

void ChildDialog::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, kChildText, text); }

IMPLEMENT_DYNAMIC(TestPage, CPropertyPage)

void TestPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, kPageText, text);
  if (pDX->m_bSaveAndValidate && text.empty()) {
    AfxMessageBox(GetCaption() + " can not be empty");
    pDX->Fail();
  }
}

ScriptedUiTest::ScriptedUiTest()
    : backend_(new ScriptedBackend), scope_(std::unique_ptr<UiBackend>(backend_)) {
  backend_->SetNow(DateTimeValue{2024, 5, 8, 9, 30, 0});
  EXPECT_TRUE(TemplateRegistry::Instance().Register(
      &owner_, {MainTemplate(), ChildTemplate(), PageTemplate(kFirstPage, "First"),
                PageTemplate(kSecondPage, "Second")}));
}

ScriptedUiTest::~ScriptedUiTest() { TemplateRegistry::Instance().Withdraw(&owner_); }

std::vector<std::string> ScriptedUiTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const MessageRecord& record : backend_->Messages()) texts.push_back(record.request.text);
  return texts;
}

}  // namespace uitest
