#pragma once

#include "tool/ToolArgs.h"

class CPrivateProperty;
class CPropertyPage;
class Module;

// A page the module handed out for a configuration bag. It goes back to the module
// exactly once: through End with the user's answer, or, should anything fail before
// that, unaccepted when this object dies, so the module always destroys what it made.
class ModulePage {
 public:
  // Asks the module for the page of the kind; throws when it supplies none.
  ModulePage(Module& module, ConfigKind kind, CPrivateProperty& bag);
  ~ModulePage();
  ModulePage(const ModulePage&) = delete;
  ModulePage& operator=(const ModulePage&) = delete;

  CPropertyPage* Page() const { return page_; }
  // Hands the page back; when accepted, the module writes it into the bag.
  void End(bool accepted);
  // Hands the page back accepted, so the module writes it into `into`, and asks for
  // a new page of `into` in its place: the page as the module would store it, with
  // the user's edits, for a sheet that stays open. Returns the new page.
  CPropertyPage* StoreAndReopen(CPrivateProperty& into);

 private:
  Module& module_;
  ConfigKind kind_;
  CPrivateProperty& bag_;
  CPropertyPage* page_ = nullptr;

  void Get(const CPrivateProperty& bag);
};
