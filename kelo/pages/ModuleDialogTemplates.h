#pragma once

#include <vector>

#include "ui/DialogTemplate.h"

namespace kelo {

// Every dialog template of the module: the three pages, the field chooser and the
// holiday setting dialog. What the module registers with the framework at load.
std::vector<DialogTemplate> ModuleDialogTemplates();

}  // namespace kelo
