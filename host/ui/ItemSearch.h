#pragma once

#include <string_view>

class UiWindow;

// The search of list box and combo box items by text, letter case ignored: after
// startAfter (-1: from the top), wrapping around; -1 when nothing matches.
int FindItemText(const UiWindow& window, int controlId, int startAfter, std::string_view text,
                 bool exact);
