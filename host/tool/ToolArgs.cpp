#include "tool/ToolArgs.h"

#include <algorithm>

#include "props/AtomicFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/TextEscape.h"
#include "props/XmlError.h"
#include "tool/ToolError.h"

ConfigKind TakeConfigKind(std::vector<std::string>& args) {
  const bool handler = TakeFlag(args, "--handler");
  const bool isStatic = TakeFlag(args, "--static");
  const bool dynamic = TakeFlag(args, "--dynamic");
  if (handler + isStatic + dynamic != 1)
    throw UsageError("give exactly one of --handler, --static, --dynamic");
  return handler ? ConfigKind::Handler : isStatic ? ConfigKind::Static : ConfigKind::Dynamic;
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

bool TakeFlag(std::vector<std::string>& args, const std::string& flag) {
  const auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  args.erase(it);
  if (std::find(args.begin(), args.end(), flag) != args.end())
    throw UsageError(flag + " given twice");
  return true;
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it == name) {
      if (it + 1 == args.end()) throw UsageError(name + " needs a value");
      std::string value = *(it + 1);
      args.erase(it, it + 2);
      return value;
    }
    if (it->rfind(name + "=", 0) == 0) {
      std::string value = it->substr(name.size() + 1);
      args.erase(it);
      if (value.empty()) throw UsageError(name + " needs a value");
      return value;
    }
  }
  return {};
}

void ExpectPositional(const std::vector<std::string>& args, std::size_t count,
                      const std::string& what) {
  for (const std::string& a : args)
    if (a.size() > 1 && a[0] == '-')
      throw UsageError("unknown option " + ShownToken(a, TextBytes::Utf8));
  if (args.size() != count) throw UsageError("expected " + what);
}

std::string ReadInputFile(const std::string& path) { return ReadFileBytes(path); }

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
