#include "props/PropsXmlReader.h"

#include <algorithm>
#include <charconv>
#include <pugixml.hpp>

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

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

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
               "unexpected element \"" + Quoted(node.name()) + "\" after the root element");
        }
        if (std::string_view(node.name()) != "Properties") {
          Fail(LineOf(node),
               "the root element is \"" + Quoted(node.name()) + "\", expected \"Properties\"");
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
    Fail(LineOf(root), "unexpected attribute \"" + Quoted(attribute.name()) + "\"");
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
         "unsupported encoding \"" + Quoted(encoding) + "\" (ISO-8859-1 or UTF-8 are read)");
  }
}

void PropsXmlReader::ReadChildren(const pugi::xml_node& parent, CPrivateProperty& into, int depth) {
  for (const pugi::xml_node& node : parent.children()) {
    if (node.type() == pugi::node_element) {
      if (std::string_view(node.name()) != "Property") {
        Fail(LineOf(node), "unexpected element \"" + Quoted(node.name()) + "\"");
      }
      ReadProperty(node, into, depth + 1);
    } else if (IsText(node) && !IsBlank(node.value())) {
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
  if (siblings.Properties().find(name) != nullptr) {
    Fail(LineOf(element), "duplicate property name \"" + Quoted(name) + "\"");
  }
  CPrivateProperty& property = siblings.Properties()[name];
  if (type == CPrivateProperty::EType::None) {
    ReadChildren(element, property, depth);
  } else {
    ReadValue(element, type, name, property);
  }
}

CPrivateProperty::EType PropsXmlReader::ReadAttributes(const pugi::xml_node& element,
                                                       std::string& name, bool& hasName) {
  CPrivateProperty::EType type = CPrivateProperty::EType::None;
  bool hasType = false;
  for (const pugi::xml_attribute& attribute : element.attributes()) {
    const std::string_view attributeName = attribute.name();
    bool& seen = attributeName == "Name" ? hasName : hasType;
    if (attributeName != "Name" && attributeName != "Type") {
      Fail(LineOf(element), "unexpected attribute \"" + Quoted(attributeName) + "\"");
    }
    if (seen) Fail(LineOf(element), "duplicate attribute \"" + Quoted(attributeName) + "\"");
    seen = true;
    std::string value = Decode(element, attribute.value(), RawKind::Attribute);
    if (attributeName == "Name") {
      name = std::move(value);
    } else if (value == "String") {
      type = CPrivateProperty::EType::String;
    } else if (value == "Bool") {
      type = CPrivateProperty::EType::Bool;
    } else if (value == "Int") {
      type = CPrivateProperty::EType::Int;
    } else {
      Fail(LineOf(element), "unknown type \"" + Quoted(value) + "\" (String, Bool or Int)");
    }
  }
  return type;
}

void PropsXmlReader::ReadValue(const pugi::xml_node& element, CPrivateProperty::EType type,
                               const std::string& name, CPrivateProperty& property) {
  std::string text;
  for (const pugi::xml_node& node : element.children()) {
    if (IsText(node)) {
      const RawKind kind = node.type() == pugi::node_cdata ? RawKind::CData : RawKind::Content;
      if (text.empty()) {
        text = Decode(node, node.value(), kind);
      } else {
        text += Decode(node, node.value(), kind);
      }
    } else if (node.type() == pugi::node_element) {
      if (std::string_view(node.name()) == "Property") {
        Fail(LineOf(element), "property \"" + Quoted(name) + "\" has a Type and child properties");
      }
      Fail(LineOf(node), "unexpected element \"" + Quoted(node.name()) + "\"");
    }
  }

  const auto notA = [&](const char* what) {
    Fail(LineOf(element),
         "property \"" + Quoted(name) + "\": \"" + Quoted(text, 40) + "\" is not " + what);
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

std::string PropsXmlReader::Decode(const pugi::xml_node& node, const char* raw,
                                   RawKind kind) const {
  std::string decoded;
  const std::string_view text(raw);
  if (const std::optional<TextFault> fault = DecodeText(text, encoding_, kind, decoded)) {
    const std::ptrdiff_t offset = OffsetOf(raw);
    const int line =
        offset >= 0 ? LineAt(offset + static_cast<std::ptrdiff_t>(fault->at)) : LineOf(node);
    Fail(line, fault->what);
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

void PropsXmlReader::Fail(int line, const std::string& what) const { throw XmlError(line, what); }

}  // namespace props
