#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tool/module/ConfigKind.h"

// Takes the one kind option out of args; throws UsageError when there is none or
// more than one.
ConfigKind TakeConfigKind(std::vector<std::string>& args);
// The same for a command where the kind may be left to the file's place: nothing
// when no kind option is given.
std::optional<ConfigKind> TakeConfigKindIfGiven(std::vector<std::string>& args);

// Takes "--kind handler|static|dynamic" out of args: the one kind of file a command
// that changes many files is to reach; nothing when it is not given. Throws UsageError
// for another word.
std::optional<ConfigKind> TakeKindFilter(std::vector<std::string>& args);

// The kind of a configuration file: the one given, else what its place says
// (KindOfPlaceIfAny); throws UsageError naming the options to give otherwise.
ConfigKind KindOfPlace(const std::string& path, const std::optional<ConfigKind>& given);

// Throws UsageError unless the currency code holds printable ASCII characters other
// than the blank only, so that it is typed and shown as one word without quoting.
// Whether the stored calendar can carry it is the module's to say.
void CheckCurrencyArgument(const std::string& currency);

// Takes a flag such as --party out of args; true when it was there.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag);

// Takes "--name VALUE" (or "--name=VALUE") out of args; empty when absent. Throws
// UsageError for an empty VALUE and for the option given twice.
std::string TakeOption(std::vector<std::string>& args, const std::string& name);

// Throws UsageError unless args holds exactly count positional arguments
// (no further options).
void ExpectPositional(const std::vector<std::string>& args, std::size_t count,
                      const std::string& what);
