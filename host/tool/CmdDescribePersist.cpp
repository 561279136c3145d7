#include <charconv>
#include <iostream>

#include "files/InputFile.h"
#include "hcd/IHcdDataPersistence.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"

namespace {

std::uint16_t ParseVersion(const std::string& text) {
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 65535)
    throw UsageError("--version needs a number from 0 to 65535, not " + QuotedPath(text));
  return static_cast<std::uint16_t>(value);
}

}  // namespace

int RunDescribePersist(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::string versionText = TakeOption(args, "--version");
  if (versionText.empty()) throw UsageError("describe-persist needs --version N");
  const std::uint16_t version = ParseVersion(versionText);
  const bool flag = TakeFlag(args, "--flag");
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 1, "one FILE");

  const std::string block = ReadInputFile(args[0]);
  IHcdDataPersistence& persistence = module.DataPersistence();

  HcdDescription description;
  std::uint64_t described = 0;
  try {
    described = persistence.GetRecordPersistDataDescription(
        description, version, flag, reinterpret_cast<const std::uint8_t*>(block.data()),
        block.size());
  } catch (const std::exception& e) {
    throw std::runtime_error(ShownPath(args[0]) + " (" + std::to_string(block.size()) +
                             " bytes, version " + std::to_string(version) + "): " + e.what());
  }
  if (json) {
    Json pairs = Json::array();
    for (const auto& [name, value] : description)
      pairs.push_back(Json{{"name", JsonLatin1(name)}, {"value", JsonLatin1(value)}});
    PrintJson(Json{{"path", JsonText(args[0])},
                   {"version", version},
                   {"flag", flag},
                   {"pairs", std::move(pairs)},
                   {"described", described}},
              std::cout);
    return kExitOk;
  }
  for (const auto& [name, value] : description)
    std::cout << ShownStored(name) << ": " << ShownStored(value) << '\n';
  std::cout << "described: " << described << '\n';
  return kExitOk;
}
