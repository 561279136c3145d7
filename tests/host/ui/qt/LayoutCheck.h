#pragma once

#include <string>
#include <vector>

#include "ui/DialogTemplate.h"
#include "ui/backend/UiBackend.h"
#include "ui/qt/QtUiWindow.h"

// What is wrong with a window as the Qt backend lays it out, one sentence each:
//  - a label, button, check box, radio button or group box too small for its
//    caption in the dialog font (labels may wrap at spaces, the rest may not);
//  - two controls, neither a group box, whose widgets overlap;
//  - a control whose widget reaches outside the dialog.
// Each names the controls with their template rectangles. Empty when all is well.
std::vector<std::string> CheckLayout(const QtUiWindow& window);

// The same for a template, built as the backend would show it (a property page for
// a template with DialogStyle::Child). `backend` must be the Qt backend.
std::vector<std::string> CheckLayout(UiBackend& backend, const DialogTemplate& dialog);
