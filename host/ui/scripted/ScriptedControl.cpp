#include "ui/scripted/ScriptedControl.h"

ScriptedControl::ScriptedControl(const ControlTemplate& control, const DateTimeValue& now)
    : info(control),
      text(control.kind == ControlKind::Edit || control.kind == ControlKind::ComboBox
               ? std::string()
               : control.caption),
      enabled(!control.Has(ControlStyle::Disabled)),
      items(control.Has(ControlStyle::Sorted)),
      rows(control.Has(ControlStyle::SortAscending)),
      date(now) {}
