#include "tool/output/ToolOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

ToolOutput::ToolOutput(std::ostream& stream)
    : stream_(stream), previous_(stream.rdbuf()), lineBuffered_(::isatty(STDOUT_FILENO) == 1) {
  stream_.flush();
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  stream_.rdbuf(this);
}

ToolOutput::~ToolOutput() {
  Flush();
  stream_.rdbuf(previous_);
}

bool ToolOutput::WriteOut(const char* data, std::size_t size) {
  // After a failure the rest is dropped: the run is a failure already, and a reader
  // that went away would only fail every later write the same way.
  while (size > 0 && error_ == 0 && !readerQuit_) {
    const ssize_t written = ::write(STDOUT_FILENO, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE && byPager_) {
        readerQuit_ = true;
        break;
      }
      error_ = errno;
      break;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return error_ == 0;
}

bool ToolOutput::Flush() {
  WriteOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

void ToolOutput::ReadByPager() {
  lineBuffered_ = false;
  byPager_ = true;
}

std::string ToolOutput::Error() const {
  return error_ == 0 ? std::string() : std::strerror(error_);
}

ToolOutput::int_type ToolOutput::overflow(int_type c) {
  Flush();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (lineBuffered_ && traits_type::to_char_type(c) == '\n') Flush();
  return c;
}

std::streamsize ToolOutput::xsputn(const char* data, std::streamsize size) {
  if (size > epptr() - pptr()) {
    Flush();
    if (size >= epptr() - pptr()) {
      WriteOut(data, static_cast<std::size_t>(size));
      return size;
    }
  }
  std::memcpy(pptr(), data, static_cast<std::size_t>(size));
  pbump(static_cast<int>(size));
  if (lineBuffered_ && std::memchr(data, '\n', static_cast<std::size_t>(size)) != nullptr) Flush();
  return size;
}

int ToolOutput::sync() { return Flush() ? 0 : -1; }

OutputError::OutputError(std::string reason)
    : std::runtime_error("cannot write the output: " + reason), reason_(std::move(reason)) {}

void CheckOutput(std::ostream& out) {
  if (out) return;
  const auto* output = dynamic_cast<const ToolOutput*>(out.rdbuf());
  throw OutputError(output != nullptr && !output->Error().empty() ? output->Error()
                                                                  : "the stream failed");
}

void FlushOutput(std::ostream& out) {
  out.flush();
  CheckOutput(out);
}
