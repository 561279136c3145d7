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

// The one handler object, alive as long as the module is loaded.
kelo::CKELOHandlerClassDef theHandler;

// The module's dialog templates, registered with the framework after the handler
// object is built and withdrawn before it is destroyed.
kelo::ModuleTemplateRegistration theTemplates;

}  // namespace

// A module whose templates could not be registered must not load, but a shared
// object's initialisers cannot fail the load: the entry point refuses to attach
// instead, so that the host reports the module as having no handler and unloads it.
extern "C" __attribute__((visibility("default"))) int HCDProc(CHcdInstance* instance) {
  CHcdWrapper* wrapper = &theHandler;
  if (instance->CheckCreateMode()) {
    if (theTemplates.Succeeded()) instance->AttachHcdWrapper(wrapper);
  } else {
    instance->DetachHcdWrapper(wrapper);
  }
  return 0;
}
