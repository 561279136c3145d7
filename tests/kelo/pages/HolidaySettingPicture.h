#pragma once

#include <string>

// Paints the holiday setting dialog as the documentation shows it: "GBP" with the
// holidays of 2024, a Saturday picked, the year 2024, two rows selected. Needs the Qt
// backend installed and the dialog's template registered.
void RenderHolidaySettingPicture(const std::string& path);
