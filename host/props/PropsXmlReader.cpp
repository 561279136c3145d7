#include "props/PropsXmlReader.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <pugixml.hpp>

#include "props/CanonicalXmlReader.h"
#include "props/XmlError.h"

namespace props {
namespace {

// Comments and processing instructions are skipped; references and line ends are
// left to Decode, and white-space-only text is kept because it may be a value.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_ws_pcdata |
                                   pugi::parse_declaration | pugi::parse_doctype |
                                   pugi::parse_fragment;

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Whether a zero-terminated text is the literal. Compared in line, since the
// reader makes several such comparisons for every property.
template <std::size_t N>
bool Is(const char* text, const char (&literal)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (text[i] != literal[i]) return false;
  }
  return true;
}

std::optional<CPrivateProperty::EType> TypeNamed(const char* text) {
  if (Is(text, "String")) return CPrivateProperty::EType::String;
  if (Is(text, "Bool")) return CPrivateProperty::EType::Bool;
  if (Is(text, "Int")) return CPrivateProperty::EType::Int;
  return std::nullopt;
}

// Texts up to this long are looked at byte by byte before they are decoded.
constexpr std::size_t kShortText = 64;

template <std::size_t N>
bool IsNamed(const pugi::xml_node& node, const char (&name)[N]) {
  return Is(node.name(), name);
}

bool IsText(pugi::xml_node_type type) {
  return type == pugi::node_pcdata || type == pugi::node_cdata;
}

bool IsText(const pugi::xml_node& node) { return IsText(node.type()); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool IsAnyOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view known) { return EqualsIgnoringCase(name, known); });
}

}  // namespace

CPrivateProperty PropsXmlReader::Read(std::string_view xml) {
  if (std::optional<CPrivateProperty> plain = CanonicalXmlReader::Read(xml)) {
    return std::move(*plain);
  }
  return ReadGeneral(xml);
}

CPrivateProperty PropsXmlReader::ReadGeneral(std::string_view xml) {
  return PropsXmlReader(xml).ReadDocument();
}

CPrivateProperty PropsXmlReader::ReadDocument() {
  // pugixml would take a zero byte for the end of the document, and passes control
  // bytes through: neither is XML.
  if (const std::size_t bad = FindForbiddenByte(xml_); bad != std::string_view::npos) {
    Fail(LineAt(static_cast<std::ptrdiff_t>(bad)),
         "byte " + ByteName(static_cast<unsigned char>(xml_[bad])) + " is not allowed in XML");
  }
  if (IsBlank(xml_)) Fail(1, "the document is empty");

  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(xml_.data(), xml_.size(), kParseOptions, pugi::encoding_utf8);
  if (!parsed) {
    if (parsed.status == pugi::status_bad_doctype) {
      FailDoctype(parsed.offset);
    }
    Fail(LineAt(parsed.offset), std::string("not well-formed XML: ") + parsed.description());
  }

  pugi::xml_node root;
  for (const pugi::xml_node& node : document.children()) {
    switch (node.type()) {
      case pugi::node_declaration:
        ReadEncoding(node);
        break;
      case pugi::node_doctype:
        FailDoctype(node.offset_debug());
      case pugi::node_element:
        if (root) {
          Fail(LineOf(node),
               "unexpected element " + Quoted(node.name(), Raw()) + " after the root element");
        }
        if (!IsNamed(node, "Properties")) {
          Fail(LineOf(node),
               "the root element is " + Quoted(node.name(), Raw()) + ", expected \"Properties\"");
        }
        root = node;
        break;
      default:
        if (IsText(node) && !IsBlank(node.value())) {
          Fail(LineOfText(node), "text outside the root element");
        }
        break;
    }
  }
  if (!root) Fail(LineAt(static_cast<std::ptrdiff_t>(xml_.size())), "no root element");
  if (const pugi::xml_attribute attribute = root.first_attribute()) {
    Fail(LineOf(root), "unexpected attribute " + Quoted(attribute.name(), Raw()));
  }
  if (const std::ptrdiff_t offset = root.offset_debug(); offset >= 0) {
    buffer_ = reinterpret_cast<std::uintptr_t>(root.name()) - static_cast<std::uintptr_t>(offset);
  }

  CPrivateProperty bag;
  ReadChildren(root, bag, 0);
  return bag;
}

void PropsXmlReader::ReadEncoding(const pugi::xml_node& declaration) {
  // A declaration anywhere but at the very start is not well-formed; offset 2 is its
  // name just after "<?" (5 behind a byte-order mark).
  const std::ptrdiff_t offset = declaration.offset_debug();
  const bool bom = xml_.substr(0, 3) == "\xEF\xBB\xBF";
  if (offset != (bom ? 5 : 2)) {
    Fail(LineOf(declaration), "the XML declaration is not at the start of the document");
  }
  const std::string_view encoding = declaration.attribute("encoding").value();
  if (encoding.empty() || IsAnyOf(encoding, {"UTF-8", "UTF8"})) {
    encoding_ = SourceEncoding::Utf8;
  } else if (IsAnyOf(encoding, {"ISO-8859-1", "ISO8859-1", "ISO_8859-1", "LATIN1", "LATIN-1", "L1",
                                "US-ASCII", "ASCII"})) {
    encoding_ = SourceEncoding::Latin1;
  } else {
    Fail(LineOf(declaration),
         "unsupported encoding " + Quoted(encoding, Raw()) + " (ISO-8859-1 or UTF-8 are read)");
  }
}

void PropsXmlReader::ReadChildren(const pugi::xml_node& parent, CPrivateProperty& into, int depth) {
  std::size_t elements = 0;
  for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element) ++elements;
  }
  into.Properties().reserve(elements);
  for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
    const pugi::xml_node_type type = node.type();
    if (type == pugi::node_element) {
      if (!IsNamed(node, "Property")) {
        Fail(LineOf(node), "unexpected element " + Quoted(node.name(), Raw()));
      }
      ReadProperty(node, into, depth + 1);
    } else if (IsText(type) && !IsBlank(node.value())) {
      Fail(LineOfText(node), depth == 0 ? std::string("unexpected text in \"Properties\"")
                                        : "unexpected text in a property without Type");
    }
  }
}

void PropsXmlReader::ReadProperty(const pugi::xml_node& element, CPrivateProperty& siblings,
                                  int depth) {
  if (depth > kMaxPropertyDepth) {
    Fail(LineOf(element),
         "properties are nested deeper than " + std::to_string(kMaxPropertyDepth) + " levels");
  }
  std::string name;
  bool hasName = false;
  const CPrivateProperty::EType type = ReadAttributes(element, name, hasName);
  if (!hasName) Fail(LineOf(element), "property without Name");
  // The siblings are not touched again while this property is read, so the entry
  // stays where it is.
  const auto [entry, added] = siblings.Properties().try_emplace(std::move(name));
  if (!added) {
    Fail(LineOf(element), "duplicate property name " + Quoted(entry->first));
  }
  if (type == CPrivateProperty::EType::None) {
    ReadChildren(element, entry->second, depth);
  } else {
    ReadValue(element, type, entry->first, entry->second);
  }
}

CPrivateProperty::EType PropsXmlReader::ReadAttributes(const pugi::xml_node& element,
                                                       std::string& name, bool& hasName) {
  CPrivateProperty::EType type = CPrivateProperty::EType::None;
  bool hasType = false;
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
       attribute = attribute.next_attribute()) {
    const char* attributeName = attribute.name();
    const bool isName = Is(attributeName, "Name");
    if (!isName && !Is(attributeName, "Type")) {
      Fail(LineOf(element), "unexpected attribute " + Quoted(attributeName, Raw()));
    }
    bool& seen = isName ? hasName : hasType;
    if (seen) Fail(LineOf(element), "duplicate attribute " + Quoted(attributeName, Raw()));
    seen = true;
    if (isName) {
      name = Decode(element, attribute.value(), RawKind::Attribute);
      continue;
    }
    // A type written plainly is its own decoding: it holds no reference and no byte
    // a conversion would change.
    std::optional<CPrivateProperty::EType> known = TypeNamed(attribute.value());
    if (!known) {
      const std::string value = Decode(element, attribute.value(), RawKind::Attribute);
      known = TypeNamed(value.c_str());
      if (!known) {
        Fail(LineOf(element), "unknown type " + Quoted(value) + " (String, Bool or Int)");
      }
    }
    type = *known;
  }
  return type;
}

void PropsXmlReader::ReadValue(const pugi::xml_node& element, CPrivateProperty::EType type,
                               const std::string& name, CPrivateProperty& property) {
  std::string text;
  for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
    const pugi::xml_node_type nodeType = node.type();
    if (IsText(nodeType)) {
      const RawKind kind = nodeType == pugi::node_cdata ? RawKind::CData : RawKind::Content;
      if (text.empty()) {
        text = Decode(node, node.value(), kind, name);
      } else {
        text += Decode(node, node.value(), kind, name);
      }
    } else if (nodeType == pugi::node_element) {
      if (IsNamed(node, "Property")) {
        Fail(LineOf(element), "property " + Quoted(name) + " has a Type and child properties");
      }
      Fail(LineOf(node), "unexpected element " + Quoted(node.name(), Raw()));
    }
  }

  // The value is not shown: the reader cannot tell a password from any other value.
  const auto notA = [&](const char* what) {
    Fail(LineOf(element), "property " + Quoted(name) + ": the value is not " + what);
  };
  switch (type) {
    case CPrivateProperty::EType::String:
      property.SetValue(std::move(text));
      break;
    case CPrivateProperty::EType::Bool:
      if (text == "true") {
        property.SetValue(true);
      } else if (text == "false") {
        property.SetValue(false);
      } else {
        notA("a Bool (true or false)");
      }
      break;
    case CPrivateProperty::EType::Int: {
      std::int32_t number = 0;
      const char* end = text.data() + text.size();
      const auto [stop, error] = std::from_chars(text.data(), end, number);
      if (text.empty() || error != std::errc() || stop != end) {
        notA("an Int (signed 32-bit decimal)");
      }
      property.SetValue(number);
      break;
    }
    case CPrivateProperty::EType::None:
      break;
  }
}

std::string PropsXmlReader::Decode(const pugi::xml_node& node, const char* raw, RawKind kind,
                                   std::string_view property) const {
  // Names and most values are short and plain: no reference, no byte a conversion
  // would change, so they are copied as they stand. Anything else, and any long
  // text, which the general decoder scans a word at a time, goes the full way.
  for (std::size_t i = 0; i < kShortText; ++i) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c == '\0') return std::string(raw, i);
    if (c == '&' || c == '<' || c >= 0x80) break;
  }
  std::string decoded;
  const std::string_view text(raw);
  if (const std::optional<TextFault> fault = DecodeText(text, encoding_, kind, decoded)) {
    const std::ptrdiff_t offset = OffsetOf(raw);
    const int line =
        offset >= 0 ? LineAt(offset + static_cast<std::ptrdiff_t>(fault->at)) : LineOf(node);
    Fail(line,
         property.empty() ? fault->what : "property " + Quoted(property) + ": " + fault->what);
  }
  return decoded;
}

int PropsXmlReader::LineAt(std::ptrdiff_t offset) const {
  const std::size_t end =
      std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)), xml_.size());
  return 1 + static_cast<int>(std::count(xml_.begin(), xml_.begin() + end, '\n'));
}

int PropsXmlReader::LineOf(const pugi::xml_node& node) const {
  const std::ptrdiff_t offset = node.offset_debug();
  return offset >= 0 ? LineAt(offset) : 0;
}

int PropsXmlReader::LineOfText(const pugi::xml_node& node) const {
  const std::ptrdiff_t offset = node.offset_debug();
  if (offset < 0) return 0;
  const std::size_t blanks = std::string_view(node.value()).find_first_not_of(" \t\r\n");
  return LineAt(offset +
                static_cast<std::ptrdiff_t>(blanks != std::string_view::npos ? blanks : 0));
}

std::ptrdiff_t PropsXmlReader::OffsetOf(const char* p) const {
  const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(p);
  if (buffer_ == 0 || at < buffer_ || at - buffer_ > xml_.size()) return -1;
  return static_cast<std::ptrdiff_t>(at - buffer_);
}

void PropsXmlReader::FailDoctype(std::ptrdiff_t offset) const {
  // Both pugixml's error offset and the node's lie inside the declaration; its
  // start is what to show.
  const std::size_t start =
      offset >= 0 ? xml_.rfind("<!DOCTYPE", static_cast<std::size_t>(offset)) : std::string::npos;
  Fail(
      start != std::string_view::npos ? LineAt(static_cast<std::ptrdiff_t>(start)) : LineAt(offset),
      "DOCTYPE declarations are not allowed");
}

TextBytes PropsXmlReader::Raw() const {
  return encoding_ == SourceEncoding::Latin1 ? TextBytes::Latin1 : TextBytes::Utf8;
}

void PropsXmlReader::Fail(int line, const std::string& what) const { throw XmlError(line, what); }

}  // namespace props
