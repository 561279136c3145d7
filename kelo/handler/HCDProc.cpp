#include "hcd/CHcdInstance.h"
#include "hcd/HcdVersionRecord.h"
#include "kelo/handler/CKELOHandlerClassDef.h"

HCD_VERSION_RECORD(
    "InternalName=HCDKELO\n"
    "OriginalFilename=HCDKELO.hcd\n"
    "FileDescription=KEL Benchmark Administration Output Handler\n"
    "FileVersion=1.000.00.001\n"
    "ProductVersion=1.000.00.001\n"
    "FileVersionNumber=1.0.0.1\n"
    "ProductVersionNumber=1.0.0.1\n")

namespace {

// The one handler object, alive as long as the module is loaded.
kelo::CKELOHandlerClassDef theHandler;

}  // namespace

extern "C" __attribute__((visibility("default"))) int HCDProc(CHcdInstance* instance) {
  CHcdWrapper* wrapper = &theHandler;
  if (instance->CheckCreateMode())
    instance->AttachHcdWrapper(wrapper);
  else
    instance->DetachHcdWrapper(wrapper);
  return 0;
}
