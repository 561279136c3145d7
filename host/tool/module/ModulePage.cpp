#include "tool/module/ModulePage.h"

#include <stdexcept>

#include "tool/module/Module.h"

ModulePage::ModulePage(Module& module, ConfigKind kind, CPrivateProperty& bag)
    : module_(module), kind_(kind), bag_(bag) {
  Get(bag_);
}

void ModulePage::Get(const CPrivateProperty& bag) {
  page_ = module_.GetPage(kind_, bag);
  if (page_ == nullptr) throw std::runtime_error("the module supplied no property page");
}

ModulePage::~ModulePage() {
  if (page_ != nullptr) End(false);
}

void ModulePage::End(bool accepted) {
  CPropertyPage* page = page_;
  page_ = nullptr;
  if (page == nullptr) return;
  module_.EndPage(kind_, page, accepted, bag_);
}

CPropertyPage* ModulePage::StoreAndReopen(CPrivateProperty& into) {
  CPropertyPage* page = page_;
  page_ = nullptr;
  module_.EndPage(kind_, page, true, into);
  Get(into);
  return page_;
}
