#include "tool/module/ToolPaths.h"

#include <dlfcn.h>
#include <limits.h>

#include <system_error>

namespace fs = std::filesystem;

fs::path ToolFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return self.parent_path();
}

fs::path HostLibraryFolder() {
  // Already loaded as hcdtool's own dependency: RTLD_NOLOAD only finds it, and the
  // origin is the folder the run path led the dynamic linker to.
  if (void* handle = dlopen("libhcd_services.so", RTLD_LAZY | RTLD_NOLOAD)) {
    char origin[PATH_MAX] = {};
    const bool found = dlinfo(handle, RTLD_DI_ORIGIN, origin) == 0;
    dlclose(handle);
    if (found && origin[0] != '\0') return fs::path(origin).lexically_normal();
  }
  const fs::path tool = ToolFolder();
  return tool.empty() ? fs::path() : tool.parent_path() / "lib";
}

std::string DefaultModulePath() {
  constexpr const char* kModule = "HCDKELO.hcd";
  const std::filesystem::path tool = ToolFolder();
  std::error_code ec;
  if (!tool.empty() && std::filesystem::exists(tool / kModule, ec))
    return (tool / kModule).string();
  return (HostLibraryFolder() / kModule).string();
}
