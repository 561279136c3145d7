#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "props/CPrivateProperty.h"
#include "props/XmlText.h"

namespace pugi {
class xml_node;
}

namespace props {

// Reads a configuration document into a new bag. A document in the plain form the
// writer gives it is read in one pass (CanonicalXmlReader); any other goes the
// general way, where pugixml checks that the document is well-formed and this class
// checks it is a configuration, resolves the references itself (so that no line end
// is folded and no entity but the five predefined ones exists) and refuses any
// DOCTYPE.
class PropsXmlReader {
 public:
  // Throws XmlError naming the line of the first fault.
  static CPrivateProperty Read(std::string_view xml);
  // The general way alone, for comparing the two.
  static CPrivateProperty ReadGeneral(std::string_view xml);

 private:
  explicit PropsXmlReader(std::string_view xml) : xml_(xml) {}

  CPrivateProperty ReadDocument();
  void ReadEncoding(const pugi::xml_node& declaration);
  void ReadChildren(const pugi::xml_node& parent, CPrivateProperty& into, int depth);
  void ReadProperty(const pugi::xml_node& element, CPrivateProperty& siblings, int depth);
  CPrivateProperty::EType ReadAttributes(const pugi::xml_node& element, std::string& name,
                                         bool& hasName);
  void ReadValue(const pugi::xml_node& element, CPrivateProperty::EType type,
                 const std::string& name, CPrivateProperty& property);
  // The bytes raw stands for; node is the text node or, for an attribute value, its
  // element, and gives the line when raw lies outside the parsed buffer. A fault in
  // the value of a property names the property.
  std::string Decode(const pugi::xml_node& node, const char* raw, RawKind kind,
                     std::string_view property = {}) const;

  // The 1-based line of a byte offset into the document.
  int LineAt(std::ptrdiff_t offset) const;
  int LineOf(const pugi::xml_node& node) const;
  // The line of a text node's first non-blank byte.
  int LineOfText(const pugi::xml_node& node) const;
  // Offset into the document of a pointer into pugixml's copy of it, -1 when the
  // pointer lies elsewhere.
  std::ptrdiff_t OffsetOf(const char* p) const;
  // What the bytes of the document's markup are, for a message that quotes them.
  TextBytes Raw() const;
  [[noreturn]] void Fail(int line, const std::string& what) const;
  [[noreturn]] void FailDoctype(std::ptrdiff_t offset) const;

  std::string_view xml_;
  SourceEncoding encoding_ = SourceEncoding::Utf8;
  std::uintptr_t buffer_ = 0;  // start of pugixml's copy, once known
};

}  // namespace props
