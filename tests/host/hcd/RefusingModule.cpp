// A handler module that cannot serve, and says why instead of attaching.
#include "hcd/CHcdInstance.h"

extern "C" __attribute__((visibility("default"))) int HCDProc(CHcdInstance* instance) {
  if (instance->CheckCreateMode())
    instance->ReportAttachFailure("its licence does not cover this host");
  return 0;
}
