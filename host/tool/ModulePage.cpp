#include "tool/ModulePage.h"

#include <stdexcept>

#include "hcd/IExtraRecordSetInfo.h"
#include "hcd/IHcdPropertyPages.h"

ModulePage::ModulePage(IHcdPropertyPages& pages, ConfigKind kind, CPrivateProperty& bag)
    : pages_(pages), kind_(kind), bag_(bag) {
  Get(bag_);
}

void ModulePage::Get(const CPrivateProperty& bag) {
  IExtraRecordSetInfo recordSetInfo;
  if (kind_ == ConfigKind::Handler)
    pages_.GetHandPropertyPropPage(page_, bag);
  else
    pages_.GetTmplPropertyPropPage(page_, 0, bag, kind_ == ConfigKind::Dynamic ? 1 : 0, 0,
                                   &recordSetInfo);
  if (page_ == nullptr) throw std::runtime_error("the module supplied no property page");
}

ModulePage::~ModulePage() {
  if (page_ != nullptr) End(false);
}

void ModulePage::End(bool accepted) {
  CPropertyPage* page = page_;
  page_ = nullptr;
  if (page == nullptr) return;
  if (kind_ == ConfigKind::Handler)
    pages_.EndHandPropertyPropPage(accepted ? 1 : 0, page, bag_);
  else
    pages_.EndTmplPropertyPropPage(accepted ? 1 : 0, page, 0, bag_,
                                   kind_ == ConfigKind::Dynamic ? 1 : 0, 0);
}

CPropertyPage* ModulePage::StoreAndReopen(CPrivateProperty& into) {
  CPropertyPage* page = page_;
  page_ = nullptr;
  if (kind_ == ConfigKind::Handler)
    pages_.EndHandPropertyPropPage(1, page, into);
  else
    pages_.EndTmplPropertyPropPage(1, page, 0, into, kind_ == ConfigKind::Dynamic ? 1 : 0, 0);
  Get(into);
  return page_;
}
