#pragma once

#include <string>
#include <vector>

#include "props/CPrivateProperty.h"
#include "tool/ToolArgs.h"
#include "tool/output/JsonOutput.h"
#include "tool/review/ConfigurationView.h"

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
// could: a property is shown when the page, given another value for it or none,
// shows its controls otherwise than `view` (what the page shows of bag), or else its
// holiday calendar otherwise. The calendar is probed on a copy of bag whose texts of
// more than a few KiB are cut short, so that no probe has the module read a large
// calendar whole; a property that changes only what lies past the cut is listed,
// which says more, never less.
std::vector<UnshownProperty> UnshownProperties(Module& module, ConfigKind kind,
                                               const CPrivateProperty& bag,
                                               const ConfigurationView& view);

// One "NAME: VALUE" line per value, a group's children named "Group/Child"; the name a
// token and the value as stored (a text quoted, a number, true or false), by the rule
// of TextEscape.h.
std::vector<std::string> UnshownLines(const UnshownProperty& unshown);

// {"name", "type" ("String", "Bool", "Int" or "None"), "value"} per value, as the lines.
Json UnshownJson(const std::vector<UnshownProperty>& unshown);
