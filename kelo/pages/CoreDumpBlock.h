#pragma once

namespace kelo {

// While one lives, the process is not dumpable: a core dump, or a debugger attached
// by another user, would see the clear password a page holds. The state from before
// the first one is restored when the last one dies, so blocks may nest and overlap.
class CoreDumpBlock {
 public:
  CoreDumpBlock();
  ~CoreDumpBlock();
  CoreDumpBlock(const CoreDumpBlock&) = delete;
  CoreDumpBlock& operator=(const CoreDumpBlock&) = delete;
};

}  // namespace kelo
