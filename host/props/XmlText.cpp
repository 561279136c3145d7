#include "props/XmlText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace props {
namespace {

bool IsReferenceNameByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.' || c == ':' || c >= 0x80;
}

bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::string BeyondLatin1(std::uint32_t c) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "character U+%04X is beyond ISO-8859-1",
                static_cast<unsigned>(c));
  return buffer;
}

// The value of a numeric reference's digits, or nullopt when they are not digits.
// Values past the Unicode range are capped so that no digit string overflows.
std::optional<std::uint32_t> ParseCharReference(std::string_view digits) {
  unsigned base = 10;
  if (!digits.empty() && digits.front() == 'x') {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char d : digits) {
    unsigned digit;
    if (d >= '0' && d <= '9') {
      digit = static_cast<unsigned>(d - '0');
    } else if (base == 16 && d >= 'a' && d <= 'f') {
      digit = static_cast<unsigned>(d - 'a' + 10);
    } else if (base == 16 && d >= 'A' && d <= 'F') {
      digit = static_cast<unsigned>(d - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > 0x10FFFF) value = 0x110000;
  }
  return value;
}

// Resolves the reference starting at raw[at] == '&'; on success appends its byte
// and returns the position after the ';'. A fault quotes the reference only when
// shown is set: a value's text, a password's among them, is never shown.
std::size_t DecodeReference(std::string_view raw, std::size_t at, bool shown, std::string& out,
                            std::optional<TextFault>& fault) {
  // Only name characters may come before the ';', which keeps a text full of stray
  // '&' linear: the look ends at the first other byte.
  std::size_t end = at + 1;
  if (end < raw.size() && raw[end] == '#') ++end;
  while (end < raw.size() && IsReferenceNameByte(static_cast<unsigned char>(raw[end]))) ++end;
  if (end == raw.size() || raw[end] != ';' || end == at + 1) {
    fault = TextFault{at, "'&' that starts no reference (write &amp;)"};
    return at;
  }
  const std::string_view reference = raw.substr(at, end - at + 1);
  const std::string_view name = reference.substr(1, reference.size() - 2);
  const std::string quoted = shown ? " " + Quoted(reference) : std::string();
  if (name.front() == '#') {
    const std::optional<std::uint32_t> value = ParseCharReference(name.substr(1));
    if (!value) {
      fault = TextFault{at, "malformed character reference" + quoted};
    } else if (!IsXmlChar(*value)) {
      fault = TextFault{
          at, "character reference" + quoted + " stands for a character XML cannot carry"};
    } else if (*value > 0xFF) {
      fault = TextFault{at, shown ? BeyondLatin1(*value) + " (reference" + quoted + ")"
                                  : "character reference beyond ISO-8859-1"};
    } else {
      out.push_back(static_cast<char>(*value));
    }
  } else if (name == "lt") {
    out.push_back('<');
  } else if (name == "gt") {
    out.push_back('>');
  } else if (name == "amp") {
    out.push_back('&');
  } else if (name == "apos") {
    out.push_back('\'');
  } else if (name == "quot") {
    out.push_back('"');
  } else {
    fault = TextFault{at, "unknown entity reference" + quoted};
  }
  return fault ? at : at + reference.size();
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes the UTF-8 sequence starting at raw[at] (a byte of 0x80 or more) into its
// ISO-8859-1 byte; returns the position after it. A fault names the byte or the
// character only when shown is set.
std::size_t DecodeUtf8(std::string_view raw, std::size_t at, bool shown, std::string& out,
                       std::optional<TextFault>& fault) {
  const auto byte = [&](std::size_t i) {
    return at + i < raw.size() ? static_cast<unsigned char>(raw[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t value = 0;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  bool valid = length != 0 && byte(1) >= low && byte(1) <= high;
  for (std::size_t i = 1; valid && i < length; ++i) {
    valid = IsContinuation(byte(i));
    value = (value << 6) | (byte(i) & 0x3F);
  }
  if (!valid) {
    fault = TextFault{at, shown ? "byte " + ByteName(lead) + " is not valid UTF-8"
                                : std::string("a byte that is not valid UTF-8")};
    return at;
  }
  if (value > 0xFF) {
    fault = TextFault{at, shown ? BeyondLatin1(value) : "a character beyond ISO-8859-1"};
    return at;
  }
  out.push_back(static_cast<char>(value));
  return at + length;
}

using ByteTable = std::array<bool, 256>;

constexpr ByteTable MakeStops(SourceEncoding encoding, RawKind kind) {
  ByteTable stops{};
  if (kind != RawKind::CData) stops['&'] = true;
  if (kind == RawKind::Attribute) stops['<'] = true;
  if (encoding == SourceEncoding::Utf8) {
    for (std::size_t c = 0x80; c < 0x100; ++c) stops[c] = true;
  }
  return stops;
}

// Indexed by encoding, then kind.
constexpr ByteTable kStops[2][3] = {
    {MakeStops(SourceEncoding::Latin1, RawKind::Content),
     MakeStops(SourceEncoding::Latin1, RawKind::Attribute),
     MakeStops(SourceEncoding::Latin1, RawKind::CData)},
    {MakeStops(SourceEncoding::Utf8, RawKind::Content),
     MakeStops(SourceEncoding::Utf8, RawKind::Attribute),
     MakeStops(SourceEncoding::Utf8, RawKind::CData)},
};

constexpr ByteTable MakeForbidden() {
  ByteTable table{};
  for (std::size_t c = 0; c < 0x20; ++c) table[c] = IsForbiddenByte(static_cast<unsigned char>(c));
  return table;
}

constexpr ByteTable kForbidden = MakeForbidden();

// A configuration is mostly long runs of plain text (a holiday calendar is one text
// of hundreds of kilobytes), so the scans below pass over eight bytes per step and
// look at single bytes only in a word that may hold one they stop at.
constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t LoadWord(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, kWord);
  return word;
}

// Non-zero when some byte of the word is below n (n at most 0x80).
constexpr std::uint64_t HasByteBelow(std::uint64_t word, unsigned n) {
  return (word - kOnes * n) & ~word & kHighBits;
}

// Non-zero when some byte of the word equals c.
constexpr std::uint64_t HasByte(std::uint64_t word, unsigned char c) {
  return HasByteBelow(word ^ (kOnes * c), 1);
}

// A place from i on where a stop byte of the kind may begin, no further than the
// first stop byte: the start of a word that may hold one, or where fewer than a
// word's bytes are left.
std::size_t SkipPlainWords(std::string_view raw, std::size_t i, SourceEncoding encoding,
                           RawKind kind) {
  const bool ampersand = kind != RawKind::CData;
  const bool lessThan = kind == RawKind::Attribute;
  const bool nonAscii = encoding == SourceEncoding::Utf8;
  if (!lessThan && !nonAscii) {
    // ISO-8859-1 content stops at references only, CDATA nowhere.
    const void* found = ampersand ? std::memchr(raw.data() + i, '&', raw.size() - i) : nullptr;
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - raw.data())
                 : raw.size();
  }
  for (; i + kWord <= raw.size(); i += kWord) {
    const std::uint64_t word = LoadWord(raw.data() + i);
    if ((ampersand && HasByte(word, '&')) || (lessThan && HasByte(word, '<')) ||
        (nonAscii && (word & kHighBits) != 0))
      break;
  }
  return i;
}

// Appends text, replacing each byte that has a replacement; unreplaced runs are
// copied in one piece.
template <typename Replacement>
void AppendReplacing(std::string& out, std::string_view text, Replacement replacement) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* replaced = replacement(static_cast<unsigned char>(text[i]));
    if (replaced == nullptr) continue;
    out.append(text.data() + run, i - run);
    out.append(replaced);
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

}  // namespace

std::optional<TextFault> DecodeText(std::string_view raw, SourceEncoding encoding, RawKind kind,
                                    std::string& out) {
  const ByteTable& stops = kStops[static_cast<int>(encoding)][static_cast<int>(kind)];
  const bool shown = kind == RawKind::Attribute;
  out.reserve(out.size() + raw.size());
  std::optional<TextFault> fault;
  std::size_t run = 0;
  std::size_t i = 0;
  while (i < raw.size()) {
    i = SkipPlainWords(raw, i, encoding, kind);
    const std::size_t wordEnd = std::min(i + kWord, raw.size());
    while (i < wordEnd && !stops[static_cast<unsigned char>(raw[i])]) ++i;
    if (i == wordEnd) continue;
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    out.append(raw.data() + run, i - run);
    if (c == '&') {
      i = DecodeReference(raw, i, shown, out, fault);
    } else if (c == '<') {
      fault = TextFault{i, "'<' in an attribute value (write &lt;)"};
    } else {
      i = DecodeUtf8(raw, i, shown, out, fault);
    }
    if (fault) return fault;
    run = i;
  }
  out.append(raw.data() + run, raw.size() - run);
  return std::nullopt;
}

std::size_t FindForbiddenByte(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // Words with a tab or a line end are looked at byte by byte, the others passed,
    // four at a time while there are as many.
    for (; i + 4 * kWord <= text.size(); i += 4 * kWord) {
      const char* p = text.data() + i;
      if ((HasByteBelow(LoadWord(p), 0x20) | HasByteBelow(LoadWord(p + kWord), 0x20) |
           HasByteBelow(LoadWord(p + 2 * kWord), 0x20) |
           HasByteBelow(LoadWord(p + 3 * kWord), 0x20)) != 0)
        break;
    }
    while (i + kWord <= text.size() && HasByteBelow(LoadWord(text.data() + i), 0x20) == 0)
      i += kWord;
    const std::size_t wordEnd = std::min(i + kWord, text.size());
    for (; i < wordEnd; ++i) {
      if (kForbidden[static_cast<unsigned char>(text[i])]) return i;
    }
  }
  return std::string_view::npos;
}

void AppendEscapedText(std::string& out, std::string_view text) {
  AppendReplacing(out, text, [](unsigned char c) -> const char* {
    switch (c) {
      case '&':
        return "&amp;";
      case '<':
        return "&lt;";
      case '>':  // keeps "]]>" out of the content
        return "&gt;";
      case '\r':
        return "&#13;";
      default:
        return nullptr;
    }
  });
}

void AppendEscapedAttribute(std::string& out, std::string_view text) {
  AppendReplacing(out, text, [](unsigned char c) -> const char* {
    switch (c) {
      case '&':
        return "&amp;";
      case '<':
        return "&lt;";
      case '>':
        return "&gt;";
      case '"':
        return "&quot;";
      // A parser turns literal white space in an attribute into blanks.
      case '\t':
        return "&#9;";
      case '\n':
        return "&#10;";
      case '\r':
        return "&#13;";
      default:
        return nullptr;
    }
  });
}

std::string ByteName(unsigned char c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(c));
  return buffer;
}

std::string Quoted(std::string_view text, TextBytes bytes, std::size_t limit) {
  if (text.size() <= limit) return QuotedToken(text, bytes);
  std::string quoted = QuotedToken(text.substr(0, limit), bytes);
  quoted.insert(quoted.size() - 1, "...");
  return quoted;
}

}  // namespace props
