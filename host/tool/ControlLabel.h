#pragma once

#include <string>

struct ControlTemplate;
struct DialogTemplate;

// What a user knows a control of the dialog by: a button, check box, radio button or
// group box by its own caption, an input by the label in front of it
// (DialogTemplate::LabelFor); empty when it has none. As the template holds it,
// shortcut marks included.
std::string ControlLabel(const DialogTemplate& dialog, const ControlTemplate& control);
