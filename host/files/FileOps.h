#pragma once

#include <sys/types.h>

#include <cstddef>

// The file-system calls that SaveFileAtomically makes, each with the POSIX contract:
// -1 (or a short count) and errno on failure. The default calls the system; a test
// overrides one call to make that step fail.
class FileOps {
 public:
  FileOps() = default;
  FileOps(const FileOps&) = delete;
  FileOps& operator=(const FileOps&) = delete;
  virtual ~FileOps();

  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Fsync(int fd);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  // linkat() following a symbolic link at from: names an unnamed temporary file
  // through its /proc/self/fd entry.
  virtual int Link(const char* from, const char* to);
  virtual int Unlink(const char* path);
};
