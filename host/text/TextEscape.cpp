#include "text/TextEscape.h"

namespace {

void AppendHex(std::string& out, unsigned char c) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[c >> 4];
  out += kDigits[c & 0xF];
}

void AppendControl(std::string& out, unsigned char c) {
  switch (c) {
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      AppendHex(out, c);
  }
}

// The length of the valid UTF-8 sequence that starts at text[at], a byte of 0x80 or
// more; 0 when none does (a stray continuation byte, an overlong form, a surrogate,
// a code point past U+10FFFF, a sequence cut short).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

struct Escapes {
  bool backslash = true;
  bool quote = false;
};

void Append(std::string& out, std::string_view text, TextBytes bytes, Escapes escapes) {
  out.reserve(out.size() + text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7F)
        AppendControl(out, c);
      else if (c == '\\' && escapes.backslash)
        out += "\\\\";
      else if (c == '"' && escapes.quote)
        out += "\\\"";
      else
        out += static_cast<char>(c);
      ++i;
    } else if (bytes == TextBytes::Latin1) {
      if (c <= 0x9F) {
        AppendHex(out, c);
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
      ++i;
    } else if (const std::size_t length = SequenceLength(text, i); length == 0) {
      AppendHex(out, c);
      ++i;
    } else {
      // U+0080 to U+009F are control characters too, shown by their bytes.
      const unsigned char next = static_cast<unsigned char>(text[i + 1]);
      if (c == 0xC2 && next <= 0x9F) {
        AppendHex(out, c);
        AppendHex(out, next);
      } else {
        out.append(text.substr(i, length));
      }
      i += length;
    }
  }
}

bool NeedsQuotes(std::string_view text) {
  return text.empty() || text.find_first_of(" \"") != std::string_view::npos;
}

}  // namespace

std::string EscapeText(std::string_view text, TextBytes bytes) {
  std::string out;
  Append(out, text, bytes, {});
  return out;
}

std::string ShownToken(std::string_view text, TextBytes bytes) {
  return NeedsQuotes(text) ? QuotedToken(text, bytes) : EscapeText(text, bytes);
}

std::string QuotedToken(std::string_view text, TextBytes bytes) {
  std::string out = "\"";
  Append(out, text, bytes, {.backslash = true, .quote = true});
  out += '"';
  return out;
}

std::string ShownLine(std::string_view text) {
  std::string out;
  Append(out, text, TextBytes::Utf8, {.backslash = false, .quote = false});
  return out;
}
