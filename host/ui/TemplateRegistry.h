#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "ui/DialogTemplate.h"

// Who registered a template: any address the registering module owns for its
// lifetime, typically of a static object of the module.
using TemplateOwner = const void*;

// The process-wide table of dialog templates. A module registers its templates when
// it is loaded and withdraws them when it is unloaded; windows are built from what
// is registered at the moment they are created.
class TemplateRegistry {
 public:
  static TemplateRegistry& Instance();

  // All or nothing: false, registering none of them, when one of the ids is held by
  // another owner or appears twice in the list. An id the same owner already holds
  // is replaced.
  bool Register(TemplateOwner owner, std::vector<DialogTemplate> templates);
  // Removes every template of the owner; windows already built keep their copy.
  void Withdraw(TemplateOwner owner);

  // The template, or null when the id is not registered.
  std::shared_ptr<const DialogTemplate> Find(int templateId) const;
  // The template; throws std::runtime_error "dialog template 12000 is not
  // registered" when it is not.
  std::shared_ptr<const DialogTemplate> Get(int templateId) const;

  std::size_t size() const;

 private:
  struct Entry {
    TemplateOwner owner;
    std::shared_ptr<const DialogTemplate> dialog;
  };

  mutable std::mutex mutex_;
  std::map<int, Entry> entries_;
};
