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

// The code point of a valid UTF-8 sequence.
char32_t CodePoint(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
  switch (sequence.size()) {
    case 2:
      return (char32_t(byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
      return (char32_t(byte(0) & 0x0F) << 12) | (char32_t(byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
      return (char32_t(byte(0) & 0x07) << 18) | (char32_t(byte(1) & 0x3F) << 12) |
             (char32_t(byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
  }
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
      // U+0080 to U+009F are control characters too, and the bidirectional
      // controls reorder what a terminal shows around them: shown by their bytes.
      if (IsFormatControl(text.substr(i, length))) {
        for (std::size_t k = 0; k < length; ++k)
          AppendHex(out, static_cast<unsigned char>(text[i + k]));
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

std::string ShownPath(std::string_view path) { return ShownToken(path, TextBytes::Utf8); }

std::string QuotedPath(std::string_view path) { return QuotedToken(path, TextBytes::Utf8); }

std::string ShownName(std::string_view name) { return ShownToken(name, TextBytes::Latin1); }

std::string ShownStored(std::string_view text) { return EscapeText(text, TextBytes::Latin1); }

bool IsFormatControl(char32_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool IsFormatControl(std::string_view sequence) {
  return sequence.size() >= 2 && IsFormatControl(CodePoint(sequence));
}

std::string ShownLine(std::string_view text) {
  std::string out;
  Append(out, text, TextBytes::Utf8, {.backslash = false, .quote = false});
  return out;
}

std::optional<std::string> Latin1FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++at;
      continue;
    }
    const std::size_t length = SequenceLength(text, at);
    if (length == 0) return std::nullopt;
    const char32_t point = CodePoint(text.substr(at, length));
    if (point > 0xFF) return std::nullopt;
    out += static_cast<char>(static_cast<unsigned char>(point));
    at += length;
  }
  return out;
}
