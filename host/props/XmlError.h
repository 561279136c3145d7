#pragma once

#include <stdexcept>
#include <string>

// A configuration document that cannot be read or written. line() is the 1-based
// line of the fault when reading, 0 when no line applies.
class XmlError : public std::runtime_error {
 public:
  // what() reads "line 3: duplicate property name \"SID\"", or just the fault when
  // line is 0.
  XmlError(int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};
