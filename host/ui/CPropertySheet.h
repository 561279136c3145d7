#pragma once

#include <string>
#include <vector>

class CPropertyPage;
class CWnd;

// A modal sheet of property pages with OK and Cancel. The pages stay the caller's;
// their windows exist only while the sheet runs.
class CPropertySheet {
 public:
  explicit CPropertySheet(std::string caption, CWnd* parent = nullptr);
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
  std::string caption_;
  CWnd* parent_;
  std::vector<CPropertyPage*> pages_;
};
