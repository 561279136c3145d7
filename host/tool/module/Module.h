#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tool/ToolArgs.h"

class CHcdWrapper;
class CPrivateProperty;
class CPropertyPage;
class HcdModule;
class IHcdConfigChangesAction;
class IHcdDataPersistence;
class IHcdIdentity;
class IHcdPropertyPages;
class IHcdSummary;
class IHcdValidation;
class ScriptedBackend;

// The handler module as hcdtool speaks to it, and the one place that does: it loads
// the module on first use (so that commands which need none never load it), asks the
// wrapper for each facet, and turns a configuration kind into the host call for it.
// Everything the tool learns of the module passes through here, through the host's
// facets alone; the tool knows no stored key or control id of the module.
class Module {
 public:
  explicit Module(std::string path);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  const std::string& Path() const { return path_; }

  // The facets. Each throws std::runtime_error naming the facet when the module
  // offers none.
  IHcdIdentity& Identity();
  IHcdPropertyPages& PropertyPages();
  IHcdValidation& Validation();
  IHcdDataPersistence& DataPersistence();
  IHcdSummary& Summaries();
  IHcdConfigChangesAction& ChangeActions();

  // The summary text of a configuration and its count of items.
  struct Summary {
    std::string text;
    long count = 0;
  };
  Summary Summarise(ConfigKind kind, const CPrivateProperty& bag);

  // The change action for changing one configuration document into another, as the
  // host asks when a changed configuration is taken into use.
  int ChangeAction(ConfigKind kind, std::string& oldText, std::string& newText);

  // The module's page of the kind for bag; null when it supplies none.
  CPropertyPage* GetPage(ConfigKind kind, const CPrivateProperty& bag);
  // Hands a page back; when accepted, the module writes it into bag first.
  void EndPage(ConfigKind kind, CPropertyPage* page, bool accepted, CPrivateProperty& bag);

  // How a page the tool plays goes back to the module.
  enum class Keep { Nothing, WhenAccepted };
  // Plays the user on the page of the kind for bag, in a property sheet of its own,
  // on a scripted backend installed for the run: `user` queues what the user does,
  // as typed actions and steps of code. When the queue runs dry, open dialogs are
  // cancelled and the sheet is closed with Cancel. True when the sheet closed with
  // OK; with Keep::WhenAccepted the page then writes itself into bag, which is
  // otherwise untouched. A run the script could not finish ends in UiRunAborted.
  bool Play(ConfigKind kind, CPrivateProperty& bag,
            const std::function<void(ScriptedBackend&)>& user, Keep keep = Keep::Nothing);

 private:
  CHcdWrapper& Wrapper();

  std::string path_;
  std::unique_ptr<HcdModule> module_;
};

// The property sheet's title for a page of the kind, as the host titles it.
const char* SheetTitle(ConfigKind kind);
