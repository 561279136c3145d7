#pragma once

#include <array>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

// Standard output as hcdtool writes it: a buffer over file descriptor 1 that keeps
// the first write error (a full disk, /dev/full, a reader that went away) instead of
// losing it, so that a run whose output did not arrive never ends as a success.
// Installed into a stream for the object's life; the stream gets its old buffer back
// when the object dies.
class ToolOutput : public std::streambuf {
 public:
  explicit ToolOutput(std::ostream& stream);
  ~ToolOutput() override;
  ToolOutput(const ToolOutput&) = delete;
  ToolOutput& operator=(const ToolOutput&) = delete;

  // Writes out what is buffered; false when any write of the run failed. A flush of
  // the stream (sync) fails the same way, so the stream's state tells it too.
  bool Flush();
  // Why the first failed write failed, for example "No space left on device".
  std::string Error() const;
  // Standard output now goes to a pager (Pager.h): written in blocks, and a pager
  // that goes away is the person who quit reading, so the rest is dropped and nothing
  // failed.
  void ReadByPager();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  bool WriteOut(const char* data, std::size_t size);

  std::ostream& stream_;
  std::streambuf* previous_;
  std::array<char, 1 << 16> buffer_{};
  // On a terminal each line shows as it is written, as the C library's stdout does.
  bool lineBuffered_;
  bool byPager_ = false;
  bool readerQuit_ = false;
  int error_ = 0;
};

// Output that could not be written, with the reason the system gave.
class OutputError : public std::runtime_error {
 public:
  explicit OutputError(std::string reason);
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// Throws OutputError when a write to out failed: "cannot write the output: REASON".
void CheckOutput(std::ostream& out);
// Flushes out, then CheckOutput.
void FlushOutput(std::ostream& out);
