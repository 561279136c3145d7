#pragma once

#include <string>
#include <string_view>

// The text with control characters, bytes above 0x7E and the backslash as C escapes
// ("\n", "\r", "\t", "\\", else "\xNN"), so that a value always stays on its line and
// reads back unambiguously.
std::string EscapeControls(std::string_view text);
