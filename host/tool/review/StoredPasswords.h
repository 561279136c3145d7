#pragma once

#include <string>

#include "tool/ToolArgs.h"

class Module;

// A file shown as stored (one that cannot be read as a configuration: damaged, cut
// off, a value that does not parse as its type) with the content of every property
// the page shows in a password box replaced by "(a password, not shown)", whatever
// its type and whatever it holds, a group's children included. The tool knows no
// stored name: it gives the page of the kind, opened on an empty configuration, each
// name the text holds (Name="...") with a text value, and a name is a password's
// when a password box then shows anything otherwise. Throws what showing the page
// throws, and std::runtime_error for a text of more names than any configuration
// holds: a caller that cannot be sure to hide a password shows nothing.
std::string HideStoredPasswords(Module& module, ConfigKind kind, std::string stored);
