#pragma once

#include <string>
#include <vector>

#include "ui/PropertySheetListener.h"
#include "ui/SheetPage.h"

class CPropertyPage;

// A modal sheet of property pages with OK and Cancel. The pages stay the caller's;
// their windows exist only while the sheet runs.
class CPropertySheet : private PropertySheetListener {
 public:
  explicit CPropertySheet(std::string caption);
  virtual ~CPropertySheet();

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  const std::string& GetCaption() const { return caption_; }

  // Builds every page's window and runs its OnInitDialog, activates the first page
  // and runs the sheet. OK saves every page (OnKillActive) and closes only when all
  // succeed, then calls every page's OnOK; otherwise every page's OnCancel. IDOK or
  // IDCANCEL.
  int DoModal();
  // Builds the pages as DoModal does and paints the sheet with the page shown.
  void RenderToPng(const std::string& path, int activePage = 0);

 private:
  // Builds every page's window and loads it; DestroyPages drops them again.
  std::vector<SheetPage> CreatePages();
  void DestroyPages();

  bool OnLeavePage(int pageIndex) override;
  void OnPageActivated(int pageIndex) override;
  bool OnSheetOk() override;
  int ActivePageAfterRefusal() const override { return refusedPage_; }

  std::string caption_;
  std::vector<CPropertyPage*> pages_;
  int refusedPage_ = 0;
};
