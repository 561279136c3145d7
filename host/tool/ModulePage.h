#pragma once

#include "tool/ToolArgs.h"

class CPrivateProperty;
class CPropertyPage;
class IHcdPropertyPages;

// A page the module handed out for a configuration bag. It goes back to the module
// exactly once: through End with the user's answer, or, should anything fail before
// that, unaccepted when this object dies, so the module always destroys what it made.
class ModulePage {
 public:
  // Asks the module for the page of the kind; throws when it supplies none.
  ModulePage(IHcdPropertyPages& pages, ConfigKind kind, CPrivateProperty& bag);
  ~ModulePage();
  ModulePage(const ModulePage&) = delete;
  ModulePage& operator=(const ModulePage&) = delete;

  CPropertyPage* Page() const { return page_; }
  // Hands the page back; when accepted, the module writes it into the bag.
  void End(bool accepted);

 private:
  IHcdPropertyPages& pages_;
  ConfigKind kind_;
  CPrivateProperty& bag_;
  CPropertyPage* page_ = nullptr;
};
