#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/backend/PropertySheetListener.h"
#include "ui/backend/SheetPage.h"

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
  // The file the sheet edits, named in its title by a backend with windows; none by
  // default.
  void SetDocument(std::string path) { document_ = std::move(path); }
  const std::string& GetDocument() const { return document_; }

  // Builds every page's window and runs its OnInitDialog, activates the first page
  // and runs the sheet. OK saves every page (OnKillActive) and closes only when all
  // succeed, then calls every page's OnOK; otherwise every page's OnCancel. IDOK or
  // IDCANCEL.
  int DoModal();
  // Runs when OK was pressed and every page saved its controls, while the sheet is
  // still open: false keeps it open on the page ReplacePage last put in place (the
  // handler has told the user why). Without a handler OK closes at once.
  void SetApplyHandler(std::function<bool()> handler) { applyHandler_ = std::move(handler); }
  // While the sheet runs: destroys the window of the page at index and hands the
  // page to replacement, which gives it up for good and returns the page to show in
  // its place, built and loaded as DoModal builds its pages. An exception from
  // replacement ends the run (UiRunAborted), since the sheet has no page left to
  // show. Until the new page is in place the index holds no page, and whatever the
  // backend asks of it meanwhile is answered without one.
  void ReplacePage(int index, const std::function<CPropertyPage*(CPropertyPage*)>& replacement);
  // Builds the pages as DoModal does and paints the sheet with the page shown.
  void RenderToPng(const std::string& path, int activePage = 0);

 private:
  // Builds every page's window and loads it; DestroyPages drops them again.
  std::vector<SheetPage> CreatePages();
  void DestroyPages();

  // The page at index, or null: out of range, or being replaced.
  CPropertyPage* PageAt(int pageIndex) const;

  bool OnLeavePage(int pageIndex) override;
  void OnPageActivated(int pageIndex) override;
  bool OnSheetOk() override;
  int ActivePageAfterRefusal() const override { return refusedPage_; }

  std::string caption_;
  std::string document_;
  std::vector<CPropertyPage*> pages_;
  int refusedPage_ = 0;
  std::function<bool()> applyHandler_;
};
