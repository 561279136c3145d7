#include "tool/Commands.h"

#include <array>

namespace {

constexpr std::array kCommands = {
    Command{"info", "", "identity answers of the handler class and the module's version record",
            RunInfo},
    Command{"tour", "", "the main job on the bundled examples, headless", RunTour},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

const Command* FindCommand(const std::string& name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}
