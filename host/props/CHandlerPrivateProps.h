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
  // line and the fault; the bag is then left exactly as it was.
  void fromXML(const std::string& xml);

  // The bag as a complete document. Throws XmlError when a text holds a byte
  // that XML cannot carry (below 0x20 other than tab, line feed and carriage return).
  std::string toXML() const;
};
