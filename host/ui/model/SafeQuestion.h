#pragma once

#include "ui/WinConstants.h"

// A question whose Yes throws something away for good (a file overwritten, an edit
// dropped): No has the focus, so that Enter pressed once too often keeps it.
inline constexpr unsigned kDestructiveQuestion = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
