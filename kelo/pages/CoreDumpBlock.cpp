#include "kelo/pages/CoreDumpBlock.h"

#include <sys/prctl.h>

#include <mutex>

namespace kelo {
namespace {

std::mutex gMutex;
int gBlocks = 0;
int gDumpableBefore = 1;

}  // namespace

CoreDumpBlock::CoreDumpBlock() {
  const std::lock_guard lock(gMutex);
  if (gBlocks++ > 0) return;
  const int before = prctl(PR_GET_DUMPABLE, 0, 0, 0, 0);
  gDumpableBefore = before < 0 ? 1 : before;
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

CoreDumpBlock::~CoreDumpBlock() {
  const std::lock_guard lock(gMutex);
  if (--gBlocks > 0) return;
  // Only 0 and 1 can be set back; 2 (root-only dumps) is the kernel's own choice.
  if (gDumpableBefore == 1) prctl(PR_SET_DUMPABLE, 1, 0, 0, 0);
}

}  // namespace kelo
