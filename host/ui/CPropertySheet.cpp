#include "ui/CPropertySheet.h"

#include <stdexcept>

#include "ui/CPropertyPage.h"
#include "ui/HandlerGuard.h"
#include "ui/backend/UiBackend.h"
#include "ui/backend/UiRunAborted.h"

CPropertySheet::CPropertySheet(std::string caption) : caption_(std::move(caption)) {}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) throw std::invalid_argument("a property sheet cannot show a null page");
  pages_.push_back(page);
}

std::vector<SheetPage> CPropertySheet::CreatePages() {
  if (pages_.empty()) throw std::logic_error("a property sheet needs at least one page");
  std::vector<SheetPage> sheetPages;
  for (CPropertyPage* page : pages_) {
    if (!page->CreateWindowFor(WindowRole::PropertyPage)) {
      throw std::logic_error("page " + std::to_string(page->GetTemplateId()) + " is already open");
    }
    page->firstActivation_ = true;
    sheetPages.push_back({page->GetUiWindow(), page->GetCaption()});
  }
  for (CPropertyPage* page : pages_) page->OnInitDialog();
  return sheetPages;
}

void CPropertySheet::DestroyPages() {
  for (CPropertyPage* page : pages_)
    if (page) page->DestroyWindow();
}

int CPropertySheet::DoModal() {
  struct Closer {
    CPropertySheet* sheet;
    ~Closer() { sheet->DestroyPages(); }
  } closer{this};
  const std::vector<SheetPage> sheetPages = CreatePages();
  refusedPage_ = 0;
  pages_.front()->OnSetActive();
  const bool accepted =
      UiBackend::Current().RunPropertySheet(caption_, document_, sheetPages, *this);
  for (CPropertyPage* page : pages_) {
    if (!page) continue;
    if (accepted) {
      page->OnOK();
    } else {
      page->OnCancel();
    }
  }
  return accepted ? IDOK : IDCANCEL;
}

void CPropertySheet::RenderToPng(const std::string& path, int activePage) {
  struct Closer {
    CPropertySheet* sheet;
    ~Closer() { sheet->DestroyPages(); }
  } closer{this};
  const std::vector<SheetPage> sheetPages = CreatePages();
  UiBackend::Current().RenderSheetToPng(caption_, sheetPages, activePage, path);
}

CPropertyPage* CPropertySheet::PageAt(int pageIndex) const {
  if (pageIndex < 0 || static_cast<std::size_t>(pageIndex) >= pages_.size()) return nullptr;
  return pages_[static_cast<std::size_t>(pageIndex)];
}

// A page that is not there has nothing to save: leaving it is always allowed.
bool CPropertySheet::OnLeavePage(int pageIndex) {
  CPropertyPage* page = PageAt(pageIndex);
  if (!page) return true;
  return GuardHandler([&] { return page->OnKillActive(); }, false);
}

void CPropertySheet::OnPageActivated(int pageIndex) {
  CPropertyPage* page = PageAt(pageIndex);
  if (!page) return;
  GuardHandler([&] { return page->OnSetActive(); }, false);
}

// OK while a page is being replaced finds the sheet without that page: it cannot
// be saved, so the sheet stays open.
bool CPropertySheet::OnSheetOk() {
  return GuardHandler(
      [&] {
        for (std::size_t i = 0; i < pages_.size(); ++i) {
          if (!pages_[i] || !pages_[i]->OnKillActive()) {
            refusedPage_ = static_cast<int>(i);
            return false;
          }
        }
        return !applyHandler_ || applyHandler_();
      },
      false);
}

void CPropertySheet::ReplacePage(int index,
                                 const std::function<CPropertyPage*(CPropertyPage*)>& replacement) {
  CPropertyPage* old = pages_.at(static_cast<std::size_t>(index));
  if (!old) throw std::logic_error("the sheet has no page " + std::to_string(index));
  pages_[static_cast<std::size_t>(index)] = nullptr;
  // The window goes first, while the page still exists: the backend lets go of it
  // before the page may be deleted.
  old->DestroyWindow();
  CPropertyPage* page = nullptr;
  try {
    page = replacement(old);
    if (!page) throw std::runtime_error("no page was given in its place");
    if (!page->CreateWindowFor(WindowRole::PropertyPage))
      throw std::logic_error("page " + std::to_string(page->GetTemplateId()) + " is already open");
    page->firstActivation_ = true;
    pages_[static_cast<std::size_t>(index)] = page;
    page->OnInitDialog();
    UiBackend::Current().ReplaceSheetPage(index, {page->GetUiWindow(), page->GetCaption()});
  } catch (const UiRunAborted&) {
    throw;
  } catch (const std::exception& e) {
    throw UiRunAborted(std::string("the sheet lost its page: ") + e.what());
  }
  refusedPage_ = index;
  page->OnSetActive();
}
