#pragma once

#include <string>

// What holidays, import-holidays and export-holidays share when they write the
// script that drives the holiday setting dialog.

// A date key that no rule, weekend or calendar file ever produces: it brings a
// currency the configuration does not hold into the dialog's list (see
// HolidayStoreMirror.h), and the script removes it again in the dialog.
inline constexpr const char* kPlaceholderKey = "0000-00-00";

// The text as one quoted word of the script language. Throws UsageError naming
// `what` when the text holds a line break, which no script word can carry.
std::string ScriptWord(const std::string& text, const std::string& what = "a script word");

// Throws UsageError unless the stored calendar can carry the currency code and it
// holds printable ASCII characters other than the blank only.
void CheckCurrency(const std::string& currency);
