#include "props/CHandlerPrivateProps.h"

#include "props/PropsXmlReader.h"
#include "props/PropsXmlWriter.h"

CHandlerPrivateProps::CHandlerPrivateProps() = default;

CHandlerPrivateProps::~CHandlerPrivateProps() = default;

void CHandlerPrivateProps::fromXML(const std::string& xml) {
  // Read into a bag of its own first, so a refused document changes nothing.
  CPrivateProperty read = props::PropsXmlReader::Read(xml);
  CPrivateProperty::operator=(std::move(read));
}

std::string CHandlerPrivateProps::toXML() const { return props::PropsXmlWriter::Write(*this); }
