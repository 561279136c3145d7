#include "kelo/holidayfile/StoredRemark.h"

#include <cstdint>
#include <optional>

namespace kelo {

namespace {

// The next character of the text at `at`, moving `at` past it; nothing, moving past
// one byte, when the bytes there are no well-formed UTF-8 character.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  ++at;
  if (lead < 0x80) return lead;
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 1;
    value = lead & 0x1F;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 2;
    value = lead & 0x0F;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 3;
    value = lead & 0x07;
    smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - at < length) return std::nullopt;
  for (std::size_t i = 0; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length;
  return value;
}

// The plain form of the typographic punctuation that word processors put into
// holiday names, or nothing for any other character.
std::optional<std::string_view> PlainForm(char32_t c) {
  switch (c) {
    case U'\u2018':
    case U'\u2019':
    case U'\u201A':
    case U'\u201B':
    case U'\u2032':
      return "'";
    case U'\u201C':
    case U'\u201D':
    case U'\u201E':
    case U'\u2033':
      return "\"";
    case U'\u2010':
    case U'\u2011':
    case U'\u2012':
    case U'\u2013':
    case U'\u2014':
    case U'\u2015':
      return "-";
    case U'\u2026':
      return "...";
    default:
      return std::nullopt;
  }
}

bool IsControl(char32_t c) { return (c < 0x20 && c != U'\t') || (c >= 0x7F && c <= 0x9F); }

}  // namespace

StoredRemark ToStoredRemark(std::string_view utf8) {
  StoredRemark stored;
  stored.text.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const std::optional<char32_t> c = NextCharacter(utf8, at);
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && at < utf8.size() && utf8[at] == '\n') ++at;
      stored.text.push_back(' ');
      stored.mended = true;
    } else if (c == U'|') {
      stored.text.push_back('/');
      stored.mended = true;
    } else if (c && *c <= 0xFF && !IsControl(*c)) {
      stored.text.push_back(static_cast<char>(*c));
    } else if (std::optional<std::string_view> plain = c ? PlainForm(*c) : std::nullopt) {
      stored.text.append(*plain);
      stored.mended = true;
    } else {
      stored.text.push_back('?');
      stored.mended = true;
    }
  }
  return stored;
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char byte : latin1) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      utf8.push_back(byte);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

bool IsUtf8(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (!NextCharacter(bytes, at)) return false;
  }
  return true;
}

}  // namespace kelo
