#pragma once

#include <string>
#include <string_view>

namespace kelo {

// A remark of a holiday file turned into what the stored holiday text can carry.
struct StoredRemark {
  std::string text;     // ISO-8859-1 bytes
  bool mended = false;  // whether anything had to change
};

// The stored text holds ISO-8859-1 bytes and separates its fields with "|", and the
// configuration file cannot hold most control characters. So a remark (UTF-8) is
// mended where it cannot be stored as it stands: "|" becomes "/", a line break (CR,
// LF or CR LF) one blank, typographic quotes and dashes their plain forms (’ as ',
// “ as ", – as -, … as ...), and any other character outside ISO-8859-1, a control
// character or a byte that is not UTF-8 becomes "?". Tabs stay.
StoredRemark ToStoredRemark(std::string_view utf8);

// The ISO-8859-1 bytes as UTF-8: every byte is the character of that number.
std::string Latin1ToUtf8(std::string_view latin1);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

}  // namespace kelo
