#include "props/XmlError.h"

namespace {

std::string WithLine(int line, const std::string& what) {
  return line > 0 ? "line " + std::to_string(line) + ": " + what : what;
}

}  // namespace

XmlError::XmlError(int line, const std::string& what)
    : std::runtime_error(WithLine(line, what)), line_(line) {}
