#include "tool/module/ConfigurationFile.h"

#include <stdexcept>

#include "files/EditedFile.h"
#include "files/InputFile.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"

ConfigurationError::ConfigurationError(const std::string& path, const std::string& reason, int line)
    : std::runtime_error(ShownPath(path) + ": " + reason), reason_(reason), line_(line) {}

CHandlerPrivateProps ReadConfiguration(const std::string& path, EmptyIs empty) {
  return ParseConfiguration(path, ReadInputFile(path), empty);
}

CHandlerPrivateProps ParseConfiguration(const std::string& path, const std::string& document,
                                        EmptyIs empty) {
  CHandlerPrivateProps bag;
  if (document.empty() && empty == EmptyIs::NewConfiguration) return bag;
  try {
    bag.fromXML(document);
  } catch (const XmlError& e) {
    throw ConfigurationError(path, e.what(), e.line());
  }
  return bag;
}

std::string PrepareSave(const EditedFile& file, const CHandlerPrivateProps& bag) {
  std::string xml;
  try {
    xml = bag.toXML();
  } catch (const XmlError& e) {
    throw std::runtime_error("cannot save " + QuotedPath(file.Path()) + ": " + e.what());
  }
  file.CheckSavable();
  return xml;
}

std::string ChangedBehindMessage(const EditedFile& file) {
  return QuotedPath(file.Path()) +
         " was changed by another program since it was read; saving would overwrite that "
         "change";
}

void SaveConfiguration(EditedFile& file, const CHandlerPrivateProps& bag) {
  const std::string xml = PrepareSave(file, bag);
  if (file.ChangedSinceRead()) throw std::runtime_error("not saved: " + ChangedBehindMessage(file));
  file.Save(xml);
}
