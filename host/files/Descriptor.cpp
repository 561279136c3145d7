#include "files/Descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

Descriptor::Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

Descriptor::~Descriptor() { reset(); }

void Descriptor::reset() {
  if (fd_ < 0) return;
  const int error = errno;
  ::close(fd_);
  fd_ = -1;
  errno = error;
}
