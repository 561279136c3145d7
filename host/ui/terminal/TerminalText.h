#pragma once

#include <optional>
#include <string>
#include <string_view>

// The framework's texts are bytes of the host's 8-bit character set, Latin-1, which
// maps every byte to one character and back; the terminal shows characters. A
// character the user types that Latin-1 lacks reads back as '?' (the framework
// refuses such a text on save, see UiWindow::UnstorableCharacter).
std::u32string FromLatin1(std::string_view bytes);
std::string ToLatin1(std::u32string_view text);
std::optional<char32_t> FirstBeyondLatin1(std::u32string_view text);

// Paths are bytes of the file system, UTF-8 by convention but not by rule: a byte
// that is no part of a valid sequence becomes a code point of its own
// (U+DC80 to U+DCFF) that ToUtf8 turns back into the byte, so every path survives.
std::u32string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u32string_view text);

// The columns a character takes on the terminal: 0 for a combining mark, 2 for a
// wide character, 1 otherwise. A character that cannot be shown is shown as '?'
// (ShownCharacter) and takes one column.
int CellWidth(char32_t c);
char32_t ShownCharacter(char32_t c);
int CellWidth(std::u32string_view text);
