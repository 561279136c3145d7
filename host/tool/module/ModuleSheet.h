#pragma once

#include "tool/module/ModulePage.h"
#include "ui/CPropertySheet.h"

// A page of the module in a property sheet of its own, as the host shows one: the
// sheet titled for the kind, the page its only page. Whatever happens, the page goes
// back to the module (ModulePage), after the sheet is done with it.
class ModuleSheet {
 public:
  ModuleSheet(Module& module, ConfigKind kind, CPrivateProperty& bag);

  ModulePage& Page() { return page_; }
  CPropertySheet& Sheet() { return sheet_; }
  // Runs the sheet modally; true when it closed with OK.
  bool Run();

 private:
  ModulePage page_;
  CPropertySheet sheet_;
};
