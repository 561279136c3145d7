#pragma once

#include <string>
#include <vector>

class CHandlerPrivateProps;

// Which configuration a command works on: --handler, --static or --dynamic.
enum class ConfigKind { Handler, Static, Dynamic };

// Takes the one kind option out of args; throws UsageError when there is none or
// more than one.
ConfigKind TakeConfigKind(std::vector<std::string>& args);

// "handler", "static" or "dynamic": the kind as output names it.
const char* KindName(ConfigKind kind);

// Takes a flag such as --party out of args; true when it was there.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag);

// Takes "--name VALUE" (or "--name=VALUE") out of args; empty when absent.
std::string TakeOption(std::vector<std::string>& args, const std::string& name);

// Throws UsageError unless args holds exactly count positional arguments
// (no further options).
void ExpectPositional(const std::vector<std::string>& args, std::size_t count,
                      const std::string& what);

// The file's bytes; throws with a message naming the file when it is missing, a
// folder or unreadable.
std::string ReadInputFile(const std::string& path);

// The configuration of an XML file; an XmlError is reported with the file's name.
void LoadConfiguration(const std::string& path, CHandlerPrivateProps& bag);
