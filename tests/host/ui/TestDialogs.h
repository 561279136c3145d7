#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/Afx.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

namespace uitest {

// Templates and ids of the small dialogs the framework is tested with.
inline constexpr int kMainDialog = 9100;
inline constexpr int kChildDialog = 9101;
inline constexpr int kFirstPage = 9102;
inline constexpr int kSecondPage = 9103;

enum : int {
  kName = 100,
  kCount = 101,
  kEnabled = 110,
  kAutoA = 120,
  kAutoB = 121,
  kAutoC = 122,
  kAutoD = 123,
  kPlain = 130,
  kSortedList = 140,
  kQuietList = 141,
  kEditCombo = 150,
  kDropList = 151,
  kRows = 160,
  kDate = 170,
  kOpenChild = 180,
  kDisabled = 181,
  kReadOnly = 190,
  kChildText = 200,
  kPageText = 300,
};

DialogTemplate MainTemplate();
DialogTemplate ChildTemplate();
DialogTemplate PageTemplate(int id, const std::string& title);

// A dialog whose handlers write what happened to a log.
class MainDialog : public CDialogEx {
 public:
  MainDialog() : CDialogEx(kMainDialog) {}

  std::vector<std::string> log;
  std::string name;
  int count = 0;
  bool enabled = false;
  std::string childText;
  int childResult = 0;

  using CDialogEx::OnInitDialog;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnEnabledClicked() { log.push_back("enabled clicked"); }
  void OnNameChanged() { log.push_back("name changed"); }
  void OnSortedSelChange() { log.push_back("sorted selchange"); }
  void OnQuietSelChange() { log.push_back("quiet selchange"); }
  void OnComboSelChange() { log.push_back("combo selchange"); }
  void OnComboEdit() { log.push_back("combo edit"); }
  void OnRowsChanged() { log.push_back("rows changed"); }
  void OnDateChanged() { log.push_back("date changed"); }
  void OnPlainClicked();
  void OnOpenChild();

  DECLARE_MESSAGE_MAP()
};

// A child dialog with one edit box bound to `text`.
class ChildDialog : public CDialogEx {
 public:
  explicit ChildDialog(CWnd* parent) : CDialogEx(kChildDialog, parent) {}
  std::string text;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

// A page whose save refuses an empty text.
class TestPage : public CPropertyPage {
  DECLARE_DYNAMIC(TestPage)

 public:
  TestPage(int id, std::vector<std::string>& log) : CPropertyPage(id), log_(log) {}
  std::string text;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override { log_.push_back(GetCaption() + " ok"); }
  void OnCancel() override { log_.push_back(GetCaption() + " cancel"); }

 private:
  std::vector<std::string>& log_;
};

// Installs a scripted backend and registers the test templates for one test.
class ScriptedUiTest : public ::testing::Test {
 protected:
  ScriptedUiTest();
  ~ScriptedUiTest() override;

  ScriptedBackend& backend() { return *backend_; }
  std::vector<std::string> MessageTexts() const;

 private:
  ScriptedBackend* backend_;
  ScopedUiBackend scope_;
  int owner_ = 0;
};

}  // namespace uitest
