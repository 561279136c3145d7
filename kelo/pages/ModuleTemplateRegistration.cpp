#include "kelo/pages/ModuleTemplateRegistration.h"

#include <exception>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "kelo/pages/ModuleDialogTemplates.h"

namespace kelo {
namespace {

constexpr const char* kCannotRegister = "the module's dialog templates could not be registered";

// The registry answers only yes or no; the module's own ids say which one was in the
// way. The module registers under a fresh owner, so an id the registry already holds
// is someone else's.
std::string WhyRefused(const std::vector<int>& ids) {
  std::set<int> seen;
  for (const int id : ids) {
    const std::string name = "dialog template " + std::to_string(id);
    if (!seen.insert(id).second)
      return std::string(kCannotRegister) + ": " + name + " is listed twice";
    if (TemplateRegistry::Instance().Find(id) != nullptr)
      return std::string(kCannotRegister) + ": " + name +
             " is already registered by another module";
  }
  return kCannotRegister;
}

}  // namespace

// Runs during the module's static initialisation, where an escaping exception would
// end the host process: any failure becomes an unsuccessful registration with its
// reason, which the entry point reports to the host instead of attaching.
ModuleTemplateRegistration::ModuleTemplateRegistration() noexcept {
  try {
    std::vector<DialogTemplate> templates = ModuleDialogTemplates();
    std::vector<int> ids;
    for (const DialogTemplate& dialog : templates) ids.push_back(dialog.id);
    m_succeeded = TemplateRegistry::Instance().Register(Owner(), std::move(templates));
    if (!m_succeeded) m_failure = WhyRefused(ids);
  } catch (const std::exception& error) {
    m_succeeded = false;
    try {
      m_failure = std::string(kCannotRegister) + ": " + error.what();
    } catch (...) {
      // No memory for the text either: FailureReason gives the general one.
    }
  } catch (...) {
    m_succeeded = false;
  }
}

const char* ModuleTemplateRegistration::FailureReason() const {
  if (m_succeeded) return "";
  return m_failure.empty() ? kCannotRegister : m_failure.c_str();
}

ModuleTemplateRegistration::~ModuleTemplateRegistration() {
  TemplateRegistry::Instance().Withdraw(Owner());
}

}  // namespace kelo
