#include "hcd/CHcdInstance.h"
#include "hcd/HcdVersionRecord.h"
#include "kelo/handler/CKELOHandlerClassDef.h"
#include "kelo/pages/ModuleTemplateRegistration.h"

// The version numbers come from the build, which takes them from the project's one
// version; the record reads best one line per source line.
// clang-format off
HCD_VERSION_RECORD(
    "InternalName=HCDKELO\n"
    "OriginalFilename=HCDKELO.hcd\n"
    "FileDescription=KEL Benchmark Administration Output Handler\n"
    "FileVersion=" HCD_FILE_VERSION "\n"
    "ProductVersion=" HCD_FILE_VERSION "\n"
    "FileVersionNumber=" HCD_VERSION_NUMBER "\n"
    "ProductVersionNumber=" HCD_VERSION_NUMBER "\n")
// clang-format on

namespace {

// What the module holds from load to unload, built by static initialisation in
// member order: the one handler object, then the registration of the dialog
// templates. Unloading runs the other way: the registration is withdrawn before the
// handler object is destroyed. One object, so that the order is the members' and not
// that of definitions in a file.
struct LoadedModule {
  kelo::CKELOHandlerClassDef handler;
  kelo::ModuleTemplateRegistration templates;
};

LoadedModule theModule;

}  // namespace

// A module whose templates could not be registered must not load, but a shared
// object's initialisers cannot fail the load: the entry point attaches nothing and
// tells the host why, and the host refuses the module with that reason.
extern "C" __attribute__((visibility("default"))) int HCDProc(CHcdInstance* instance) {
  CHcdWrapper* wrapper = &theModule.handler;
  if (!instance->CheckCreateMode())
    instance->DetachHcdWrapper(wrapper);
  else if (theModule.templates.Succeeded())
    instance->AttachHcdWrapper(wrapper);
  else
    instance->ReportAttachFailure(theModule.templates.FailureReason());
  return 0;
}
