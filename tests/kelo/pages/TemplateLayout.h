#pragma once

#include <string>
#include <vector>

#include "ui/DialogTemplate.h"

// What is wrong with a template's geometry, one line per fault, without a toolkit:
// controls outside the dialog, controls that overlap, controls outside the group box
// they follow in template order, and captions wider than their control by a
// deliberately generous estimate of the dialog font's widths.
std::vector<std::string> LayoutProblems(const DialogTemplate& dialog);

// The estimated width of a caption in dialog units.
int EstimatedTextWidth(const std::string& text);
