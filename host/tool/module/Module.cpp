#include "tool/module/Module.h"

#include <stdexcept>

#include "hcd/CHcdWrapper.h"
#include "hcd/HcdModule.h"
#include "hcd/IExtraRecordSetInfo.h"
#include "hcd/IHcdConfigChangesAction.h"
#include "tool/module/ModuleSheet.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// The template calls of the host take the kind of record set as a flag.
int DynamicFlag(ConfigKind kind) { return kind == ConfigKind::Dynamic ? 1 : 0; }

template <class Facet>
Facet& Offered(Facet* facet, const char* name) {
  if (facet == nullptr)
    throw std::runtime_error(std::string("the module offers no ") + name + " facet");
  return *facet;
}

}  // namespace

Module::Module(std::string path) : path_(std::move(path)) {}

Module::~Module() = default;

CHcdWrapper& Module::Wrapper() {
  if (!module_) module_ = HcdModule::Open(path_);
  return module_->Wrapper();
}

IHcdIdentity& Module::Identity() { return Offered(Wrapper().Identity(), "identity"); }

IHcdPropertyPages& Module::PropertyPages() {
  return Offered(Wrapper().PropertyPages(), "property-page");
}

IHcdValidation& Module::Validation() { return Offered(Wrapper().Validation(), "validation"); }

IHcdDataPersistence& Module::DataPersistence() {
  return Offered(Wrapper().DataPersistence(), "persistence");
}

IHcdSummary& Module::Summaries() { return Offered(Wrapper().Summary(), "summary"); }

IHcdConfigChangesAction& Module::ChangeActions() {
  return Offered(Wrapper().ConfigChangesAction(), "change-action");
}

Module::Summary Module::Summarise(ConfigKind kind, const CPrivateProperty& bag) {
  IHcdSummary& summary = Summaries();
  rr::RRString text;
  long count = 0;
  if (kind == ConfigKind::Handler)
    count = summary.GetHandPropertySummary(bag, text);
  else
    count = summary.GetTmplPropertySummary(text, 0, bag, DynamicFlag(kind), 0);
  return {text.str(), count};
}

int Module::ChangeAction(ConfigKind kind, std::string& oldText, std::string& newText) {
  IHcdConfigChangesAction& changes = ChangeActions();
  if (kind == ConfigKind::Handler) return changes.CheckHandlerConfigChange(oldText, newText);
  return changes.CheckRecordSetConfigChange(oldText, newText, 0, DynamicFlag(kind));
}

CPropertyPage* Module::GetPage(ConfigKind kind, const CPrivateProperty& bag) {
  IHcdPropertyPages& pages = PropertyPages();
  CPropertyPage* page = nullptr;
  if (kind == ConfigKind::Handler) {
    pages.GetHandPropertyPropPage(page, bag);
  } else {
    IExtraRecordSetInfo recordSetInfo;
    pages.GetTmplPropertyPropPage(page, 0, bag, DynamicFlag(kind), 0, &recordSetInfo);
  }
  return page;
}

void Module::EndPage(ConfigKind kind, CPropertyPage* page, bool accepted, CPrivateProperty& bag) {
  IHcdPropertyPages& pages = PropertyPages();
  if (kind == ConfigKind::Handler)
    pages.EndHandPropertyPropPage(accepted ? 1 : 0, page, bag);
  else
    pages.EndTmplPropertyPropPage(accepted ? 1 : 0, page, 0, bag, DynamicFlag(kind), 0);
}

bool Module::Play(ConfigKind kind, CPrivateProperty& bag,
                  const std::function<void(ScriptedBackend&)>& user, Keep keep) {
  auto backend = std::make_unique<ScriptedBackend>();
  user(*backend);
  const ScopedUiBackend ui(std::move(backend));
  ModuleSheet sheet(*this, kind, bag);
  const bool accepted = sheet.Run();
  sheet.Page().End(accepted && keep == Keep::WhenAccepted);
  return accepted;
}

const char* SheetTitle(ConfigKind kind) {
  return kind == ConfigKind::Handler ? "Handler Properties" : "Record Set Properties";
}
