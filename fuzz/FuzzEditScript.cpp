// The edit-script language of the scripted backend, run against each of the
// module's pages and the field chooser: whatever a script says, the run ends (a
// script error ends it cleanly), nothing leaks, and an accepted page leaves a
// record that can be stored.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "fuzz/FuzzCheck.h"
#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/CKELODlgFieldChooser.h"
#include "kelo/pages/CKELODlgHandCfg.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "kelo/pages/ModuleTemplateRegistration.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "ui/CPropertySheet.h"
#include "ui/WinConstants.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// The module's templates, registered once for the whole run as the module would.
const kelo::ModuleTemplateRegistration& Templates() {
  static const kelo::ModuleTemplateRegistration registration;
  return registration;
}

// An accepted record must go into a bag; its XML may refuse only a byte XML cannot
// carry, which the user typed.
void Store(const kelo::HandlerConfig& config) {
  CHandlerPrivateProps bag;
  config.WriteToProperty(bag);
  try {
    bag.toXML();
  } catch (const XmlError&) {
  }
}

template <typename Config>
void StoreRecordSet(const Config& config) {
  CHandlerPrivateProps bag;
  config.WriteToProperty(bag);
  try {
    bag.toXML();
  } catch (const XmlError&) {
  }
}

template <typename Page, typename Config>
void RunPage(std::unique_ptr<Config> config) {
  Page page(std::move(config));
  CPropertySheet sheet("Properties");
  sheet.AddPage(&page);
  const int result = sheet.DoModal();
  FUZZ_CHECK(result == IDOK || result == IDCANCEL, "sheet ended with " + std::to_string(result));
  if (result != IDOK) return;
  if constexpr (std::is_same_v<Config, kelo::HandlerConfig>)
    Store(page.GetConfig());
  else
    StoreRecordSet(page.GetConfig());
}

// Save choosers are always cancelled: "Export..." answered by a fuzzed path would
// write files wherever the run may write. Open choosers are answered as scripted.
class NoSavingBackend : public ScriptedBackend {
 public:
  std::optional<std::string> ChooseFile(UiWindow* owner,
                                        const FileChooserRequest& request) override {
    if (!request.open) return std::nullopt;
    return ScriptedBackend::ChooseFile(owner, request);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FUZZ_CHECK(Templates().Succeeded(), "the module's templates did not register");
  if (size == 0) return 0;
  const unsigned which = data[0] % 4;
  const std::string_view script(reinterpret_cast<const char*>(data + 1), size - 1);

  auto backend = std::make_unique<NoSavingBackend>();
  // A fixed "now", so the pickers start on the same day in every run.
  backend->SetNow(*DateTimeValue::ParseIsoDate("2024-06-15"));
  try {
    backend->Load(script);
  } catch (const ScriptError&) {
    return 0;
  }
  ScopedUiBackend installed(std::move(backend));
  try {
    switch (which) {
      case 0:
        RunPage<kelo::CKELODlgHandCfg>(std::make_unique<kelo::HandlerConfig>());
        break;
      case 1:
        RunPage<kelo::CKELODlgStaticRecSetCfg>(std::make_unique<kelo::CKELOStaticRecSetConfig>());
        break;
      case 2:
        RunPage<kelo::CKELODlgDynRecSetConfig>(std::make_unique<kelo::CKELODynRecSetConfig>());
        break;
      default: {
        kelo::CKELODlgFieldChooser chooser;
        chooser.SetFieldChooser(script.size() % 2 == 1);
        const int result = static_cast<int>(chooser.DoModal());
        FUZZ_CHECK(result != IDOK || !chooser.GetChosenField().empty(),
                   "OK without a chosen field");
        break;
      }
    }
  } catch (const UiRunAborted&) {
    // A script that cannot go on ends the run: the tool reports it as an error.
  }
  return 0;
}
