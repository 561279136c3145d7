#include "tool/ToolContext.h"

#include <filesystem>
#include <system_error>

#include "hcd/CHcdWrapper.h"
#include "tool/ToolPaths.h"

ToolContext::ToolContext(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

ToolContext::~ToolContext() = default;

CHcdWrapper& ToolContext::Wrapper() {
  if (!m_module) m_module = HcdModule::Open(m_modulePath);
  return m_module->Wrapper();
}

std::string ToolContext::DefaultModulePath() {
  constexpr const char* kModule = "HCDKELO.hcd";
  const std::filesystem::path tool = ToolFolder();
  std::error_code ec;
  if (!tool.empty() && std::filesystem::exists(tool / kModule, ec))
    return (tool / kModule).string();
  return (HostLibraryFolder() / kModule).string();
}
