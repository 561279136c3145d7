#pragma once

// An open file descriptor, closed when this goes. Closing keeps errno as it was, so
// a caller may read the reason of a failure after the descriptor went out of scope.
class Descriptor {
 public:
  Descriptor() = default;
  // Takes fd over; -1 (a failed open) holds nothing.
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept;
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor();

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes what is held, if anything; the close's own result is not wanted.
  void reset();

 private:
  int fd_ = -1;
};
