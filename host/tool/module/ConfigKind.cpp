#include "tool/module/ConfigKind.h"

#include <filesystem>
#include <system_error>

const char* KindName(ConfigKind kind) {
  switch (kind) {
    case ConfigKind::Handler:
      return "handler";
    case ConfigKind::Static:
      return "static";
    case ConfigKind::Dynamic:
      break;
  }
  return "dynamic";
}

const char* FolderOf(ConfigKind kind) {
  return kind == ConfigKind::Handler ? nullptr : KindName(kind);
}

bool IsRecordSetFileName(const std::string& name) {
  const std::string ending = kRecordSetEnding;
  return name.size() > ending.size() && name.ends_with(ending);
}

std::optional<ConfigKind> KindOfPlaceIfAny(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path place = fs::absolute(path, ec);
  if (ec) place = path;
  place = place.lexically_normal();
  if (place.filename() == kHandlerFileName) return ConfigKind::Handler;
  const fs::path folder = place.parent_path().filename();
  for (const ConfigKind kind : kConfigKinds)
    if (FolderOf(kind) != nullptr && folder == FolderOf(kind)) return kind;
  return std::nullopt;
}

std::string TreePath(const std::string& folder, ConfigKind kind, const std::string& name) {
  if (kind == ConfigKind::Handler) return TreeFolderPath(folder) + kHandlerFileName;
  return TreeFolderPath(folder, kind) + name;
}

std::string TreeFolderPath(const std::string& folder, std::optional<ConfigKind> recordSets) {
  std::string path = folder == "." ? std::string() : folder + "/";
  if (recordSets && FolderOf(*recordSets) != nullptr)
    path += std::string(FolderOf(*recordSets)) + "/";
  return path;
}
