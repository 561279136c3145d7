#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one rule by which a name, a path or a stored text is shown wherever a person
// reads it: hcdtool's text output and every message, on stdout and stderr alike, so
// that one entry is one line and one name one token.
//
// - Stored texts (configuration names and values, the module's texts) are ISO-8859-1
//   and are converted to UTF-8. Paths, command-line arguments and the tool's own
//   texts are UTF-8 as they stand; a byte that is not part of a valid UTF-8 sequence
//   is written \xNN.
// - Control characters (below 0x20, 0x7F, and 0x80 to 0x9F) are written byte by byte
//   as stored: \n, \r, \t, else \xNN with two upper-case hex digits. The backslash
//   is written \\. So are the characters that reorder or break a line where a
//   terminal shows it (IsFormatControl): U+202E in a name would otherwise show the
//   rest of its line backwards.
// - A token (a name or a path) that is empty or holds a blank or a double quote is
//   written in double quotes, with \" for each double quote inside.
//
// So "café" reads as café, a file named "a b.xml" as "a b.xml" (quotes included), and
// one named "x", line feed, "y.xml" as x\ny.xml.

// What the bytes of a text are.
enum class TextBytes {
  Utf8,    // a path, an argument, a text of the tool's own
  Latin1,  // a stored text: a configuration's names and values, the module's texts
};

// The text escaped, without quotes: the rest of a line, such as a value or a message.
std::string EscapeText(std::string_view text, TextBytes bytes);

// A name or a path as one token: escaped, and quoted when it must be.
std::string ShownToken(std::string_view text, TextBytes bytes);

// A name or a path inside a sentence: escaped and always in double quotes.
std::string QuotedToken(std::string_view text, TextBytes bytes);

// The rule for the texts shown most, named by what they are: every name a message or
// an output line holds is shown through one of these four or the three above.

// A path or an argument of the command line as one token, quoted only when it must
// be: ShownToken(path, TextBytes::Utf8).
std::string ShownPath(std::string_view path);
// The same always in double quotes, for a path inside a sentence:
// QuotedToken(path, TextBytes::Utf8).
std::string QuotedPath(std::string_view path);
// A stored name (a property, a currency, a date key) as one token:
// ShownToken(name, TextBytes::Latin1).
std::string ShownName(std::string_view name);
// A stored text as the rest of a line (a value, a remark, the module's message):
// EscapeText(text, TextBytes::Latin1).
std::string ShownStored(std::string_view text);

// The C1 controls (U+0080 to U+009F), the bidirectional controls (U+061C, U+200E,
// U+200F, U+202A to U+202E, U+2066 to U+2069) and the line and paragraph separators
// (U+2028, U+2029): what is escaped beyond ASCII, in text output and in JSON alike.
bool IsFormatControl(char32_t c);
// The same for one valid UTF-8 sequence.
bool IsFormatControl(std::string_view sequence);

// A message line whose names were shown by the rule above, made safe as a whole: a
// control character or a byte that is not UTF-8 is written \xNN, all else (the
// backslashes and quotes of its shown names among it) stays as it is. A line shown
// this way once shows the same the second time.
std::string ShownLine(std::string_view text);

// A text of the command line (UTF-8) as a stored text (ISO-8859-1), for a value the
// user gives; none when it is not valid UTF-8 or holds a character ISO-8859-1 lacks.
std::optional<std::string> Latin1FromUtf8(std::string_view text);
