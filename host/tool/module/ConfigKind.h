#pragma once

#include <array>
#include <optional>
#include <string>

// Which configuration a host call, a command or a file is about, and where a
// configuration tree keeps each kind: a handler folder holds its handler's
// configuration as handler.xml and its record sets as static/*.xml and dynamic/*.xml.
// This is the one place that spells the layout out.
enum class ConfigKind { Handler, Static, Dynamic };

// In the order a handler folder is walked.
inline constexpr std::array<ConfigKind, 3> kConfigKinds = {ConfigKind::Handler, ConfigKind::Static,
                                                           ConfigKind::Dynamic};

// "handler", "static" or "dynamic": the kind as output and options name it.
const char* KindName(ConfigKind kind);

// The file of a handler folder that holds the handler's configuration.
inline constexpr const char* kHandlerFileName = "handler.xml";
// How the name of a record set's file ends.
inline constexpr const char* kRecordSetEnding = ".xml";

// The folder of a handler folder that holds the record sets of the kind ("static",
// "dynamic"); null for the handler, whose file lies in the handler folder itself.
const char* FolderOf(ConfigKind kind);

// Whether name is that of a record set's file: longer than its ending.
bool IsRecordSetFileName(const std::string& name);

// What the place of path says: handler.xml is a handler's, a file in a static or
// dynamic folder a record set's (however the path names that folder: "eur.xml" run
// from inside static/ is as much a record set as "static/eur.xml"); nothing else.
std::optional<ConfigKind> KindOfPlaceIfAny(const std::string& path);

// A configuration file's path relative to its tree root, with "/" between names:
// "h1/static/eur.xml", or "static/eur.xml" when the root is a handler folder (".").
std::string TreePath(const std::string& folder, ConfigKind kind, const std::string& name);

// A folder's path relative to the tree root as output names it, ending in "/": "h1/"
// for the handler folder, "h1/static/" for the record sets of the kind; "" and
// "static/" when the root is the handler folder.
std::string TreeFolderPath(const std::string& folder,
                           std::optional<ConfigKind> recordSets = std::nullopt);
