#include "tool/ToolContext.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "hcd/CHcdWrapper.h"

ToolContext::ToolContext(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

ToolContext::~ToolContext() = default;

CHcdWrapper& ToolContext::Wrapper() {
  if (!m_module) m_module = HcdModule::Open(m_modulePath);
  return m_module->Wrapper();
}

std::string ToolContext::DefaultModulePath() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "HCDKELO.hcd";
  return (self.parent_path() / "HCDKELO.hcd").string();
}
