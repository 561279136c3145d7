#include "tool/Activity.h"

#include <exception>

namespace {
thread_local const Activity* current = nullptr;
// The innermost activity an exception left, kept for the handler that catches it
// after every activity has ended.
thread_local std::string left;
}  // namespace

Activity::Activity(std::string what)
    : what_(std::move(what)), outer_(current), uncaught_(std::uncaught_exceptions()) {
  current = this;
  left.clear();
}

Activity::~Activity() {
  current = outer_;
  // A move allocates nothing, which matters when memory ran out.
  if (std::uncaught_exceptions() > uncaught_ && left.empty()) left = std::move(what_);
}

std::string OutOfMemoryMessage() {
  const std::string& what = current != nullptr ? current->what_ : left;
  if (what.empty()) return "out of memory";
  return "out of memory while " + what;
}
