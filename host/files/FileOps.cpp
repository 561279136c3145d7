#include "files/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

FileOps::~FileOps() = default;

int FileOps::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

ssize_t FileOps::Write(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}

int FileOps::Fsync(int fd) { return ::fsync(fd); }

int FileOps::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }

int FileOps::Close(int fd) { return ::close(fd); }

int FileOps::Rename(const char* from, const char* to) { return std::rename(from, to); }

int FileOps::Link(const char* from, const char* to) {
  return ::linkat(AT_FDCWD, from, AT_FDCWD, to, AT_SYMLINK_FOLLOW);
}

int FileOps::Unlink(const char* path) { return ::unlink(path); }
