#pragma once

#include <optional>
#include <string_view>

#include "props/CPrivateProperty.h"

namespace props {

// Reads, in one pass and without building a document tree, a configuration document
// in the plain form the writer gives it: the writer's declaration (or none), the
// Properties root, and Property elements with a Name and maybe a Type attribute, in
// that order, between blanks. Values and names without references, CDATA, comments
// or anything else that would need XML's general rules; ISO-8859-1 documents may
// hold any byte from 0x80, UTF-8 ones none. Every document it reads is well-formed
// XML and reads as the same bag through the general reader, which is why nothing
// else is taken: anything outside that form, a fault included, gives nothing, and
// the caller then reads the document the general way, which also names the fault.
class CanonicalXmlReader {
 public:
  static std::optional<CPrivateProperty> Read(std::string_view xml);
};

}  // namespace props
