#pragma once

#include <string>
#include <vector>

#include "props/CPrivateProperty.h"
#include "tool/ConfigurationView.h"
#include "tool/JsonOutput.h"
#include "tool/ToolArgs.h"

class Module;

// A stored property whose value the page does not show: a review that reads only the
// page would miss a change of it (a configuration version, a property no control
// shows, one the page stores otherwise than it was given).
struct UnshownProperty {
  std::string name;  // as stored
  CPrivateProperty property;
};

// The properties of bag, in its order, whose value the page of the kind does not
// show. Still knowing no stored name of the module, the tool finds them as a user
// could: a property is shown when the page stores it back as it was given, or else
// when the page, opened without it, shows anything differently than `view` (what
// the page shows of bag).
std::vector<UnshownProperty> UnshownProperties(Module& module, ConfigKind kind,
                                               const CPrivateProperty& bag,
                                               const ConfigurationView& view);

// One "NAME: VALUE" line per value, a group's children named "Group/Child"; the name a
// token and the value as stored (a text quoted, a number, true or false), by the rule
// of TextEscape.h.
std::vector<std::string> UnshownLines(const UnshownProperty& unshown);

// {"name", "type" ("String", "Bool", "Int" or "None"), "value"} per value, as the lines.
Json UnshownJson(const std::vector<UnshownProperty>& unshown);
