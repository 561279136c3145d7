#include "kelo/pages/ModuleDialogTemplates.h"

#include "kelo/pages/HolidaySettingTemplate.h"
#include "kelo/pages/PageTemplates.h"

namespace kelo {

std::vector<DialogTemplate> ModuleDialogTemplates() {
  std::vector<DialogTemplate> templates;
  templates.push_back(HandCfgTemplate());
  templates.push_back(FieldChooserTemplate());
  templates.push_back(StaticRecSetCfgTemplate());
  templates.push_back(DynRecSetConfigTemplate());
  templates.push_back(HolidaySettingTemplate());
  templates.push_back(NewCurrencyTemplate());
  return templates;
}

}  // namespace kelo
