#include "kelo/pages/ModuleTemplateRegistration.h"

#include "kelo/pages/ModuleDialogTemplates.h"

namespace kelo {

// Runs during the module's static initialisation, where an escaping exception would
// end the host process: any failure becomes an unsuccessful registration instead,
// which the entry point reports by attaching nothing.
ModuleTemplateRegistration::ModuleTemplateRegistration() noexcept {
  try {
    m_succeeded = TemplateRegistry::Instance().Register(Owner(), ModuleDialogTemplates());
  } catch (...) {
    m_succeeded = false;
  }
}

ModuleTemplateRegistration::~ModuleTemplateRegistration() {
  TemplateRegistry::Instance().Withdraw(Owner());
}

}  // namespace kelo
