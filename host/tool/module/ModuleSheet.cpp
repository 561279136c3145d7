#include "tool/module/ModuleSheet.h"

#include "tool/module/Module.h"
#include "ui/WinConstants.h"

ModuleSheet::ModuleSheet(Module& module, ConfigKind kind, CPrivateProperty& bag)
    : page_(module, kind, bag), sheet_(SheetTitle(kind)) {
  sheet_.AddPage(page_.Page());
}

bool ModuleSheet::Run() { return sheet_.DoModal() == IDOK; }
