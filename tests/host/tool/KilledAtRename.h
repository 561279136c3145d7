#pragma once

#include <signal.h>

#include "files/FileOps.h"

// The system's calls, but the process dies by SIGKILL at the rename numbered dieAt
// (from 1): a run cut off in the middle of replacing its files.
class KilledAtRename : public FileOps {
 public:
  explicit KilledAtRename(int dieAt) : dieAt_(dieAt) {}
  int Rename(const char* from, const char* to) override {
    if (++renames_ == dieAt_) ::raise(SIGKILL);
    return FileOps::Rename(from, to);
  }

 private:
  int dieAt_;
  int renames_ = 0;
};
