#pragma once

#include <QString>
#include <string_view>

// The display format of a Qt date-time editor for the format of a Windows date-time
// picker: runs of the picker's letters become Qt's ("yyy", the full year, becomes
// "yyyy"; "tt" becomes "AP"), and everything else is kept as quoted literal text.
QString QtPickerFormat(std::string_view windowsFormat);

// What a picker shows before it is given a format: the short date.
inline constexpr const char* kShortDateFormat = "yyyy-MM-dd";
