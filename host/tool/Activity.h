#pragma once

#include <string>

// What the tool is doing, said by the failure that cannot say it itself: running out
// of memory, which may strike anywhere. Activities nest; the innermost one speaks.
class Activity {
 public:
  // what: a phrase that follows "while", such as "showing \"big.xml\"" (names shown
  // by the rule of TextEscape.h).
  explicit Activity(std::string what);
  ~Activity();
  Activity(const Activity&) = delete;
  Activity& operator=(const Activity&) = delete;

 private:
  std::string what_;
  const Activity* outer_;
  int uncaught_;
  friend std::string OutOfMemoryMessage();
};

// "out of memory while WHAT", or "out of memory" when no activity is under way. Made
// without allocating more than the message itself.
std::string OutOfMemoryMessage();
