#pragma once

#include "ui/DialogTemplate.h"

namespace kelo {

// The dialog templates of the module's pages and of the field chooser. Each call
// builds a fresh copy.

// 12000 "KEL Benchmark Adiministration Configuration": the handler page.
DialogTemplate HandCfgTemplate();
// 12003 "KELO Static Recordset Configuration".
DialogTemplate StaticRecSetCfgTemplate();
// 12004 "KELO Dynamic Recordset Configuration".
DialogTemplate DynRecSetConfigTemplate();
// 12001 "Select Field": the modal field chooser.
DialogTemplate FieldChooserTemplate();

}  // namespace kelo
