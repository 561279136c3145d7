#include "ui/TemplateRegistry.h"

#include <set>
#include <stdexcept>
#include <string>

TemplateRegistry& TemplateRegistry::Instance() {
  static TemplateRegistry registry;
  return registry;
}

bool TemplateRegistry::Register(TemplateOwner owner, std::vector<DialogTemplate> templates) {
  std::lock_guard lock(mutex_);
  std::set<int> ids;
  for (const DialogTemplate& dialog : templates) {
    if (!ids.insert(dialog.id).second) return false;
    auto found = entries_.find(dialog.id);
    if (found != entries_.end() && found->second.owner != owner) return false;
  }
  for (DialogTemplate& dialog : templates) {
    const int id = dialog.id;
    entries_[id] = Entry{owner, std::make_shared<const DialogTemplate>(std::move(dialog))};
  }
  return true;
}

void TemplateRegistry::Withdraw(TemplateOwner owner) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [owner](const auto& entry) { return entry.second.owner == owner; });
}

std::shared_ptr<const DialogTemplate> TemplateRegistry::Find(int templateId) const {
  std::lock_guard lock(mutex_);
  auto found = entries_.find(templateId);
  return found == entries_.end() ? nullptr : found->second.dialog;
}

std::shared_ptr<const DialogTemplate> TemplateRegistry::Get(int templateId) const {
  auto dialog = Find(templateId);
  if (!dialog) {
    throw std::runtime_error("dialog template " + std::to_string(templateId) +
                             " is not registered");
  }
  return dialog;
}

std::size_t TemplateRegistry::size() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}
