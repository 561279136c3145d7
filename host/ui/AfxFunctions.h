#pragma once

#include <string>
#include <string_view>

#include "ui/WinConstants.h"

// A message box owned by no window, captioned with the application's name. A type
// without an MB_ICON bit gets the warning icon for MB_OK and MB_OKCANCEL and the
// question icon for the yes/no sets.
int AfxMessageBox(std::string_view text, unsigned type = MB_OK);

// The application's name: the caption of AfxMessageBox. Set by the host.
const std::string& AfxGetAppName();
void AfxSetAppName(std::string name);

// A tone of the frequency for the duration; always true.
bool Beep(unsigned frequencyHz, unsigned durationMs);
