#pragma once

#include <string>
#include <utility>
#include <vector>

// The version record of a module file, read from the file itself (no code of the
// module runs). Entries keep the order of the record.
struct ModuleVersionInfo {
  std::vector<std::pair<std::string, std::string>> entries;

  // The value of the key, or "" when the record has no such key.
  std::string Get(const std::string& key) const;

  // Throws std::runtime_error naming the file when it cannot be read, is not a
  // 64-bit ELF file, or has no version record.
  static ModuleVersionInfo ReadFromFile(const std::string& path);
};
