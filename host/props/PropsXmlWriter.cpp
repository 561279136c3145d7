#include "props/PropsXmlWriter.h"

#include <charconv>

#include "props/XmlError.h"
#include "props/XmlText.h"

namespace props {
std::string PropsXmlWriter::Write(const CPrivateProperty& bag) {
  PropsXmlWriter writer;
  if (bag.Type() != CPrivateProperty::EType::None) {
    throw XmlError(0, "the bag itself holds a value, which the document cannot carry");
  }
  writer.out_ = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
  if (bag.Properties().empty()) {
    writer.out_ += "<Properties/>\n";
  } else {
    writer.out_ += "<Properties>\n";
    writer.WriteChildren(bag);
    writer.out_ += "</Properties>\n";
  }
  return std::move(writer.out_);
}

void PropsXmlWriter::WriteChildren(const CPrivateProperty& parent) {
  if (static_cast<int>(path_.size()) >= kMaxPropertyDepth) {
    Fail("properties are nested deeper than " + std::to_string(kMaxPropertyDepth) + " levels");
  }
  for (const auto& [name, child] : parent.Properties()) {
    path_.push_back(name);
    WriteProperty(name, child);
    path_.pop_back();
  }
}

void PropsXmlWriter::WriteProperty(std::string_view name, const CPrivateProperty& property) {
  if (const std::size_t bad = FindForbiddenByte(name); bad != std::string_view::npos) {
    Fail("the name of property " + Quoted(Path()) + " holds byte " +
         ByteName(static_cast<unsigned char>(name[bad])) + ", which XML cannot carry");
  }
  const CPrivateProperty::EType type = property.Type();
  if (type != CPrivateProperty::EType::None && !property.Properties().empty()) {
    Fail("property " + Quoted(Path()) + " has both a value and child properties");
  }
  Indent();
  out_ += "<Property Name=\"";
  AppendEscapedAttribute(out_, name);
  out_ += '"';
  switch (type) {
    case CPrivateProperty::EType::None:
      if (property.Properties().empty()) {
        out_ += "/>\n";
      } else {
        out_ += ">\n";
        WriteChildren(property);
        Indent();
        out_ += "</Property>\n";
      }
      return;
    case CPrivateProperty::EType::String: {
      const std::string& text = property.StringValue();
      if (const std::size_t bad = FindForbiddenByte(text); bad != std::string::npos) {
        Fail("property " + Quoted(Path()) + " holds byte " +
             ByteName(static_cast<unsigned char>(text[bad])) + ", which XML cannot carry");
      }
      out_ += " Type=\"String\">";
      AppendEscapedText(out_, text);
      break;
    }
    case CPrivateProperty::EType::Bool:
      out_ += property.BoolValue() ? " Type=\"Bool\">true" : " Type=\"Bool\">false";
      break;
    case CPrivateProperty::EType::Int: {
      char digits[16];
      const auto result = std::to_chars(digits, digits + sizeof digits, property.IntValue());
      out_ += " Type=\"Int\">";
      out_.append(digits, result.ptr);
      break;
    }
  }
  out_ += "</Property>\n";
}

void PropsXmlWriter::Indent() { out_.append(2 * path_.size(), ' '); }

void PropsXmlWriter::Fail(const std::string& what) const { throw XmlError(0, what); }

std::string PropsXmlWriter::Path() const {
  std::string path;
  for (const std::string_view name : path_) {
    if (!path.empty()) path += '/';
    path += name;
  }
  return path;
}

}  // namespace props
