#include "ui/terminal/TerminalText.h"

#include <cwchar>

#include "text/TextEscape.h"

std::u32string FromLatin1(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (char c : bytes) text += static_cast<char32_t>(static_cast<unsigned char>(c));
  return text;
}

std::string ToLatin1(std::u32string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char32_t c : text) bytes += c <= 0xFF ? static_cast<char>(c) : '?';
  return bytes;
}

std::optional<char32_t> FirstBeyondLatin1(std::u32string_view text) {
  for (char32_t c : text)
    if (c > 0xFF) return c;
  return std::nullopt;
}

namespace {

constexpr char32_t kEscapedByte = 0xDC00;

}  // namespace

std::u32string FromUtf8(std::string_view bytes) {
  std::u32string text;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
      length = 1;
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      c = lead & 0x1F;
      least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      c = lead & 0x0F;
      least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      c = lead & 0x07;
      least = 0x10000;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= bytes.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    if (valid && (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
    if (!valid) {
      text += kEscapedByte + lead;
      ++i;
      continue;
    }
    text += c;
    i += static_cast<std::size_t>(length);
  }
  return text;
}

std::string ToUtf8(std::u32string_view text) {
  std::string bytes;
  for (char32_t c : text) {
    if (c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF) {
      bytes += static_cast<char>(c - kEscapedByte);
    } else if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | (c >> 6));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes += static_cast<char>(0xE0 | (c >> 12));
      bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (c >> 18));
      bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

char32_t ShownCharacter(char32_t c) {
  // A bidirectional control would turn the rest of the row around.
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) || IsFormatControl(c))
    return U'?';
  return ::wcwidth(static_cast<wchar_t>(c)) < 0 ? U'?' : c;
}

int CellWidth(char32_t c) {
  const char32_t shown = ShownCharacter(c);
  if (shown == U'?') return 1;
  return ::wcwidth(static_cast<wchar_t>(shown));
}

int CellWidth(std::u32string_view text) {
  int width = 0;
  for (char32_t c : text) width += CellWidth(c);
  return width;
}
