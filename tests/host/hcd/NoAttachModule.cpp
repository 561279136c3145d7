// A handler module whose entry point never attaches a wrapper.
#include "hcd/CHcdInstance.h"

extern "C" __attribute__((visibility("default"))) int HCDProc(CHcdInstance*) { return 0; }
