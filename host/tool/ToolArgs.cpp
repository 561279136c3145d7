#include "tool/ToolArgs.h"

#include <algorithm>

#include "text/TextEscape.h"
#include "tool/ToolError.h"

std::optional<ConfigKind> TakeConfigKindIfGiven(std::vector<std::string>& args) {
  std::optional<ConfigKind> given;
  for (const ConfigKind kind : kConfigKinds) {
    if (!TakeFlag(args, std::string("--") + KindName(kind))) continue;
    if (given) throw UsageError("give exactly one of --handler, --static, --dynamic");
    given = kind;
  }
  return given;
}

ConfigKind TakeConfigKind(std::vector<std::string>& args) {
  const std::optional<ConfigKind> kind = TakeConfigKindIfGiven(args);
  if (!kind) throw UsageError("give exactly one of --handler, --static, --dynamic");
  return *kind;
}

std::optional<ConfigKind> TakeKindFilter(std::vector<std::string>& args) {
  const std::string word = TakeOption(args, "--kind");
  if (word.empty()) return std::nullopt;
  for (const ConfigKind kind : kConfigKinds)
    if (word == KindName(kind)) return kind;
  throw UsageError("--kind takes handler, static or dynamic, not " + QuotedPath(word));
}

ConfigKind KindOfPlace(const std::string& path, const std::optional<ConfigKind>& given) {
  if (given) return *given;
  if (const std::optional<ConfigKind> kind = KindOfPlaceIfAny(path)) return *kind;
  throw UsageError(ShownPath(path) +
                   " is not in a configuration tree: give --handler, --static or --dynamic");
}

void CheckCurrencyArgument(const std::string& currency) {
  for (const unsigned char c : currency)
    if (c <= 0x20 || c >= 0x7F)
      throw UsageError("CURRENCY may hold printable ASCII characters other than the blank only");
}

bool TakeFlag(std::vector<std::string>& args, const std::string& flag) {
  const auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  args.erase(it);
  if (std::find(args.begin(), args.end(), flag) != args.end())
    throw UsageError(flag + " given twice");
  return true;
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name) {
  std::optional<std::string> value;
  for (auto it = args.begin(); it != args.end();) {
    std::optional<std::string> found;
    if (*it == name) {
      if (it + 1 == args.end()) throw UsageError(name + " needs a value");
      found = *(it + 1);
      it = args.erase(it, it + 2);
    } else if (it->rfind(name + "=", 0) == 0) {
      found = it->substr(name.size() + 1);
      it = args.erase(it);
    } else {
      ++it;
      continue;
    }
    // An empty value would read as no option at all, and a second one would be left
    // over as if it were unknown.
    if (found->empty()) throw UsageError(name + " needs a value, not an empty one");
    if (value) throw UsageError(name + " given twice");
    value = std::move(found);
  }
  return value.value_or(std::string());
}

void ExpectPositional(const std::vector<std::string>& args, std::size_t count,
                      const std::string& what) {
  for (const std::string& a : args)
    if (a.size() > 1 && a[0] == '-') throw UsageError("unknown option " + ShownPath(a));
  if (args.size() != count) throw UsageError("expected " + what);
}
