#pragma once

#include <string>
#include <string_view>

namespace kelo {

// The text of a holiday file as UTF-8, whichever way it was saved: a byte order mark
// says UTF-8 or UTF-16 (either byte order), and is dropped; text without one is
// UTF-8 when it is well-formed UTF-8, else ISO-8859-1, as older programs write it.
// A UTF-16 unit that is half of no pair becomes U+FFFD. Throws HolidayFileError for
// UTF-32 and for UTF-16 without a byte order mark, naming the encoding: read as
// bytes, their zero bytes would give a wrong text, not a refusal.
std::string FileTextAsUtf8(std::string_view bytes);

// The text of an iCalendar file as FileTextAsUtf8 gives it, unfolded first: every
// line break followed by a blank or a tab is taken out (RFC 5545, 3.1), before the
// bytes are told UTF-8 or not. A fold may split a UTF-8 sequence, which is whole
// again only without it.
std::string UnfoldedFileTextAsUtf8(std::string_view bytes);

}  // namespace kelo
