#pragma once

#include <stdexcept>
#include <string>

// A configuration document that cannot be read or written. line() is the 1-based
// line of the fault when reading, 0 when no line applies.
class XmlError : public std::runtime_error {
 public:
  XmlError(int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};
