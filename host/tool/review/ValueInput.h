#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A value given for a control, read by the rule ShownValue prints it by, so that what
// get prints set takes back: "[x]" and "[ ]" for a check box, "(o)" for a radio
// button, a text in double quotes with the escapes of TextEscape.h, "(empty)" for a
// password box; and the plain words people type as well: on, off, 30. A trailing
// " (disabled)", as printed after a control the user cannot change, is read past.

// A value that cannot be read; its message never holds the value, which may be a
// secret.
class ValueInputError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// true for "on" and "[x]", false for "off" and "[ ]" (a check box's words).
std::optional<bool> CheckFromInput(std::string_view typed);
// true for "on" and "(o)", false for "off" and "( )" (a radio button's words).
std::optional<bool> RadioFromInput(std::string_view typed);

// The stored text (ISO-8859-1) of a value typed in UTF-8: the inside of a value in
// double quotes as get prints one, its escapes undone; else the value as typed. Throws
// ValueInputError for a character ISO-8859-1 lacks and for a quoted value that get
// would not print (an unknown escape, a bare double quote inside).
std::string TextFromInput(std::string_view typed);

// For a password box: empty for "(empty)", as get prints a box without a password;
// none for the other words get prints there, which are not a password; else the text.
std::optional<std::string> PasswordFromInput(std::string_view typed);
