#include "props/CanonicalXmlReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "props/XmlText.h"

namespace props {
namespace {

// Room reserved in the root at most; a larger document grows the usual way.
constexpr std::size_t kReservedAtMost = 64;
// Bytes of the shortest property line the writer writes, about.
constexpr std::size_t kLeastPropertyBytes = 48;
// Texts up to this long are scanned in place, a word and then a byte at a time.
constexpr std::size_t kShortText = 64;

bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Bytes that end or refuse a scan, one table for each: what a scan of a name or
// text must stop at, in an ISO-8859-1 or a UTF-8 document.
using ByteTable = std::array<bool, 256>;

constexpr ByteTable MakeStops(bool attribute, bool latin1) {
  ByteTable stops{};
  for (std::size_t c = 0; c < 0x20; ++c)
    stops[c] = attribute || IsForbiddenByte(static_cast<unsigned char>(c));
  stops['&'] = true;
  stops['<'] = true;
  stops[attribute ? '"' : ']'] = true;
  if (!latin1) {
    for (std::size_t c = 0x80; c < 0x100; ++c) stops[c] = true;
  }
  return stops;
}

constexpr ByteTable kAttributeStops[2] = {MakeStops(true, false), MakeStops(true, true)};
constexpr ByteTable kContentStops[2] = {MakeStops(false, false), MakeStops(false, true)};

// Eight bytes at a time, with one branch a word rather than one a byte: the place of
// the first byte of a word that may stop a scan. Every byte below 0x20 may (a control
// a content holds is then looked at alone), so may the three markup bytes of the scan
// and, in UTF-8, any from 0x80; the tables decide on the byte found. The lowest byte
// each test flags is exact, since a test flags a byte wrongly only above one it
// flags rightly.
constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

constexpr std::uint64_t Below(std::uint64_t word, unsigned char limit) {
  return (word - kOnes * limit) & ~word & kHighBits;
}

constexpr std::uint64_t Equal(std::uint64_t word, unsigned char c) {
  return Below(word ^ (kOnes * c), 1);
}

// kWord when no byte of the word may stop the scan.
std::size_t FirstStop(std::uint64_t word, unsigned char a, unsigned char b, unsigned char c,
                      bool latin1) {
  std::uint64_t hits = Below(word, 0x20) | Equal(word, a) | Equal(word, b) | Equal(word, c);
  if (!latin1) hits |= word & kHighBits;
  return hits == 0 ? kWord : static_cast<std::size_t>(std::countr_zero(hits)) / 8;
}

class Scanner {
 public:
  explicit Scanner(std::string_view xml) : xml_(xml) {}

  bool Document(CPrivateProperty& bag) {
    latin1_ = Take("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    SkipBlanks();
    if (Take("<Properties/>")) {
      SkipBlanks();
      return at_ == xml_.size();
    }
    if (!Take("<Properties>")) return false;
    bag.Properties().reserve(RootRoom());
    if (!Children(bag, 0) || !Take("</Properties>")) return false;
    SkipBlanks();
    return at_ == xml_.size();
  }

 private:
  // Compared in line: the literals are short, and a call to memcmp for each would
  // cost more than the comparison.
  template <std::size_t N>
  bool Take(const char (&literal)[N]) {
    constexpr std::size_t size = N - 1;
    if (xml_.size() - at_ < size) return false;
    if (std::memcmp(xml_.data() + at_, literal, size) != 0) return false;
    at_ += size;
    return true;
  }

  std::uint64_t Word() const {
    std::uint64_t word = 0;
    std::memcpy(&word, xml_.data() + at_, kWord);
    return word;
  }

  // Room for the root's children, so that appending them moves none. A property as
  // the writer writes it takes some fifty bytes or more, so the size gives about the
  // count without looking at the document; a larger one grows the usual way.
  std::size_t RootRoom() const {
    return std::min((xml_.size() - at_) / kLeastPropertyBytes + 1, kReservedAtMost);
  }

  void SkipBlanks() {
    while (at_ < xml_.size() && IsBlank(xml_[at_])) ++at_;
  }

  // An attribute value up to its closing quote, when it holds nothing a decoder
  // would change: no reference, no control byte, nothing but ASCII in UTF-8.
  bool AttributeValue(std::string_view& value) {
    const ByteTable& stops = kAttributeStops[latin1_];
    const std::size_t start = at_;
    while (xml_.size() - at_ >= kWord) {
      const std::size_t stop = FirstStop(Word(), '&', '<', '"', latin1_);
      at_ += stop;
      if (stop < kWord) break;
    }
    for (; at_ < xml_.size(); ++at_) {
      const unsigned char c = static_cast<unsigned char>(xml_[at_]);
      if (!stops[c]) continue;
      if (c != '"') return false;
      value = xml_.substr(start, at_ - start);
      ++at_;
      return true;
    }
    return false;
  }

  // Element content up to the next '<', when it holds nothing a decoder would change
  // and nothing XML forbids there. Short texts, most of a configuration's, are looked
  // at in place; a long one past its first bytes with the memchr scans.
  bool Content(std::string_view& text) {
    const ByteTable& stops = kContentStops[latin1_];
    const std::size_t start = at_;
    const std::size_t shortEnd = std::min(xml_.size(), at_ + kShortText);
    while (shortEnd - at_ >= kWord) {
      const std::size_t stop = FirstStop(Word(), '&', '<', ']', latin1_);
      at_ += stop;
      if (stop < kWord) break;
    }
    for (; at_ < shortEnd; ++at_) {
      const unsigned char c = static_cast<unsigned char>(xml_[at_]);
      if (!stops[c]) continue;
      if (c == '<') {
        text = xml_.substr(start, at_ - start);
        return true;
      }
      // A ']' is let by unless it begins "]]>", which content cannot hold.
      if (c != ']' || xml_.compare(at_, 3, "]]>") == 0) return false;
    }
    const std::size_t less = xml_.find('<', start);
    if (less == std::string_view::npos) return false;
    text = xml_.substr(start, less - start);
    if (FindForbiddenByte(text) != std::string_view::npos ||
        text.find('&') != std::string_view::npos || text.find("]]>") != std::string_view::npos)
      return false;
    if (!latin1_) {
      for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
      }
    }
    at_ = less;
    return true;
  }

  // The Property elements of a group, up to the group's closing tag.
  bool Children(CPrivateProperty& into, int depth) {
    for (;;) {
      SkipBlanks();
      if (!Take("<Property Name=\"")) return true;
      if (depth + 1 >= kMaxPropertyDepth) return false;
      if (!Property(into, depth + 1)) return false;
    }
  }

  bool Property(CPrivateProperty& siblings, int depth) {
    std::string_view name;
    if (!AttributeValue(name)) return false;
    CPrivateProperty::EType type = CPrivateProperty::EType::None;
    if (Take(" Type=\"")) {
      if (Take("String\""))
        type = CPrivateProperty::EType::String;
      else if (Take("Bool\""))
        type = CPrivateProperty::EType::Bool;
      else if (Take("Int\""))
        type = CPrivateProperty::EType::Int;
      else
        return false;
    }
    const bool empty = type == CPrivateProperty::EType::None && Take("/>");
    if (!empty && !Take(">")) return false;
    const auto [entry, added] = siblings.Properties().try_emplace(std::string(name));
    if (!added) return false;
    CPrivateProperty& property = entry->second;
    if (empty) return true;
    if (type == CPrivateProperty::EType::None)
      return Children(property, depth) && Take("</Property>");

    std::string_view text;
    if (!Content(text) || !Take("</Property>")) return false;
    switch (type) {
      case CPrivateProperty::EType::String:
        property.SetValue(std::string(text));
        return true;
      case CPrivateProperty::EType::Bool:
        if (text != "true" && text != "false") return false;
        property.SetValue(text == "true");
        return true;
      case CPrivateProperty::EType::Int: {
        std::int32_t number = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, number);
        if (text.empty() || error != std::errc() || stop != end) return false;
        property.SetValue(number);
        return true;
      }
      case CPrivateProperty::EType::None:
        break;
    }
    return false;
  }

  std::string_view xml_;
  std::size_t at_ = 0;
  bool latin1_ = false;
};

}  // namespace

// Every byte of a document taken is looked at once: the literals are fixed, blanks
// are blanks, and names and texts refuse what XML cannot carry as they are scanned.
std::optional<CPrivateProperty> CanonicalXmlReader::Read(std::string_view xml) {
  CPrivateProperty bag;
  if (!Scanner(xml).Document(bag)) return std::nullopt;
  return bag;
}

}  // namespace props
