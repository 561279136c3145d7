#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "props/CPrivateProperty.h"

namespace props {

// Writes a bag as a configuration document: ISO-8859-1, every text byte as itself
// or as a reference, two blanks of indent per level.
class PropsXmlWriter {
 public:
  // Throws XmlError (line 0) naming the property whose name or text holds a byte XML
  // cannot carry, that has both a value and children, or that is nested too deeply.
  static std::string Write(const CPrivateProperty& bag);

 private:
  PropsXmlWriter() = default;

  void WriteChildren(const CPrivateProperty& parent);
  void WriteProperty(std::string_view name, const CPrivateProperty& property);
  void Indent();
  [[noreturn]] void Fail(const std::string& what) const;
  std::string Path() const;

  std::string out_;
  std::vector<std::string_view> path_;
};

}  // namespace props
