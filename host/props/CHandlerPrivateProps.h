#pragma once

#include <string>

#include "props/CPrivateProperty.h"

// A property bag that reads and writes the configuration XML:
//
//   <?xml version="1.0" encoding="ISO-8859-1"?>
//   <Properties>
//     <Property Name="SID" Type="String">BANK01</Property>
//     <Property Name="Group"><Property Name="X" Type="Int">1</Property></Property>
//   </Properties>
class CHandlerPrivateProps : public CPrivateProperty {
 public:
  CHandlerPrivateProps();
  ~CHandlerPrivateProps() override;

  // Replaces the bag's content with the document's. Throws XmlError naming the
  // line and the fault; the bag is then left exactly as it was. Any DOCTYPE is
  // refused, so no entity but the five predefined ones is ever expanded. A document
  // without encoding declaration is read as UTF-8, as XML has it.
  void fromXML(const std::string& xml);

  // The bag as a complete ISO-8859-1 document that fromXML reads back byte for byte.
  // Throws XmlError (line 0) naming the property when a name or text holds a byte
  // that XML cannot carry (below 0x20 other than tab, line feed and carriage
  // return), or when a property has both a value and children; nothing is returned.
  std::string toXML() const;
};
