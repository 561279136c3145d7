#include "tool/module/ConfigurationFile.h"

#include <stdexcept>

#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"

std::string PrepareSave(const EditedFile& file, const CHandlerPrivateProps& bag) {
  std::string xml;
  try {
    xml = bag.toXML();
  } catch (const XmlError& e) {
    throw std::runtime_error("cannot save \"" + file.Path() + "\": " + e.what());
  }
  file.CheckSavable();
  return xml;
}

std::string ChangedBehindMessage(const EditedFile& file) {
  return "\"" + file.Path() +
         "\" was changed by another program since it was read; saving would overwrite that "
         "change";
}

void SaveConfiguration(EditedFile& file, const CHandlerPrivateProps& bag) {
  const std::string xml = PrepareSave(file, bag);
  if (file.ChangedSinceRead()) throw std::runtime_error("not saved: " + ChangedBehindMessage(file));
  file.Save(xml);
}
