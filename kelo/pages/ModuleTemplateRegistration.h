#pragma once

#include <string>

#include "ui/TemplateRegistry.h"

namespace kelo {

// Holds the module's dialog templates in the framework's registry for as long as it
// lives: registers them all at construction, withdraws them at destruction. The
// module keeps one from load to unload; its own address is the owner token.
class ModuleTemplateRegistration {
 public:
  ModuleTemplateRegistration() noexcept;
  ~ModuleTemplateRegistration();
  ModuleTemplateRegistration(const ModuleTemplateRegistration&) = delete;
  ModuleTemplateRegistration& operator=(const ModuleTemplateRegistration&) = delete;

  // False when another owner already held one of the ids, or the templates could
  // not be built: then none of them is registered.
  bool Succeeded() const { return m_succeeded; }
  // Why the registration failed, naming the template when one is at fault; empty
  // when it succeeded.
  const char* FailureReason() const;
  TemplateOwner Owner() const { return this; }

 private:
  bool m_succeeded = false;
  std::string m_failure;
};

}  // namespace kelo
