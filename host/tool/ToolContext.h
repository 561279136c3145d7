#pragma once

#include <memory>
#include <string>

#include "hcd/HcdModule.h"

class CHcdWrapper;

// What every command shares: the module path from the command line and the module,
// loaded on first use so that commands which need no module never load it.
class ToolContext {
 public:
  explicit ToolContext(std::string modulePath);
  ~ToolContext();

  const std::string& ModulePath() const { return m_modulePath; }
  CHcdWrapper& Wrapper();

  // The HCDKELO.hcd beside the running executable (a build tree), else the one in
  // the folder of the host libraries (an installed copy).
  static std::string DefaultModulePath();

 private:
  std::string m_modulePath;
  std::unique_ptr<HcdModule> m_module;
};
