#include "tool/ToolArgs.h"

#include <algorithm>
#include <filesystem>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/ToolError.h"

std::optional<ConfigKind> TakeConfigKindIfGiven(std::vector<std::string>& args) {
  const bool handler = TakeFlag(args, "--handler");
  const bool isStatic = TakeFlag(args, "--static");
  const bool dynamic = TakeFlag(args, "--dynamic");
  if (handler + isStatic + dynamic > 1)
    throw UsageError("give exactly one of --handler, --static, --dynamic");
  if (handler) return ConfigKind::Handler;
  if (isStatic) return ConfigKind::Static;
  if (dynamic) return ConfigKind::Dynamic;
  return std::nullopt;
}

ConfigKind TakeConfigKind(std::vector<std::string>& args) {
  const std::optional<ConfigKind> kind = TakeConfigKindIfGiven(args);
  if (!kind) throw UsageError("give exactly one of --handler, --static, --dynamic");
  return *kind;
}

std::optional<ConfigKind> KindOfPlaceIfAny(const std::string& path) {
  namespace fs = std::filesystem;
  // "eur.xml" run from inside static/ is as much a record set as "static/eur.xml".
  std::error_code ec;
  fs::path place = fs::absolute(path, ec);
  if (ec) place = path;
  place = place.lexically_normal();
  const fs::path folder = place.parent_path().filename();
  if (place.filename() == "handler.xml") return ConfigKind::Handler;
  if (folder == "static") return ConfigKind::Static;
  if (folder == "dynamic") return ConfigKind::Dynamic;
  return std::nullopt;
}

ConfigKind KindOfPlace(const std::string& path, const std::optional<ConfigKind>& given) {
  if (given) return *given;
  if (const std::optional<ConfigKind> kind = KindOfPlaceIfAny(path)) return *kind;
  throw UsageError(ShownToken(path, TextBytes::Utf8) +
                   " is not in a configuration tree: give --handler, --static or --dynamic");
}

const char* KindName(ConfigKind kind) {
  switch (kind) {
    case ConfigKind::Handler:
      return "handler";
    case ConfigKind::Static:
      return "static";
    case ConfigKind::Dynamic:
      break;
  }
  return "dynamic";
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
    if (a.size() > 1 && a[0] == '-')
      throw UsageError("unknown option " + ShownToken(a, TextBytes::Utf8));
  if (args.size() != count) throw UsageError("expected " + what);
}

void LoadConfiguration(const std::string& path, CHandlerPrivateProps& bag) {
  ParseConfiguration(path, ReadInputFile(path), bag);
}

void ParseConfiguration(const std::string& path, const std::string& xml,
                        CHandlerPrivateProps& bag) {
  try {
    bag.fromXML(xml);
  } catch (const XmlError& e) {
    throw std::runtime_error(ShownToken(path, TextBytes::Utf8) + ": " + e.what());
  }
}
