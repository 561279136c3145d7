#include "tool/ConfigFile.h"

#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "props/CHandlerPrivateProps.h"
#include "tool/ToolArgs.h"

void LoadExistingConfiguration(const std::string& path, CHandlerPrivateProps& bag) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    const auto folder = std::filesystem::absolute(path).parent_path();
    if (!std::filesystem::is_directory(folder, ec))
      throw std::runtime_error(path + ": the folder " + folder.string() + " does not exist");
    return;
  }
  const std::string xml = ReadInputFile(path);
  if (xml.empty()) return;
  LoadConfiguration(path, bag);
}

void CheckWritable(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && ::access(path.c_str(), W_OK) != 0)
    throw std::runtime_error(path + ": the file is read-only");
  const auto folder = std::filesystem::absolute(path).parent_path();
  if (::access(folder.c_str(), W_OK) != 0)
    throw std::runtime_error(path + ": cannot write in the folder " + folder.string());
}
