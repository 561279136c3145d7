#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/host/tool/ToolRunner.h"

// The text of a file of examples/.
inline std::string Example(const std::string& name) {
  return ReadAll(std::filesystem::path(EXAMPLES_DIR) / name);
}

// The text with the first `from` replaced by `to`; a test whose `from` is not there is
// wrong, not passed.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("no " + from);
  return text.replace(at, from.size(), to);
}
