#pragma once

#include <string>
#include <vector>

namespace bench {

// Which libraries hcdtool's commands that open no window load, as the dynamic
// loader reports them (LD_DEBUG=files): none of them may start Qt.
struct QtLoadCheck {
  struct Command {
    std::string line;       // the command as typed, without the tool's path
    bool ran = false;       // exited with the expected code, and the loader reported
    bool loadedQt = false;  // a libQt6 library was loaded
    std::string problem;    // why it did not run as expected
  };

  std::vector<Command> commands;

  bool Passed() const {
    for (const Command& command : commands)
      if (!command.ran || command.loadedQt) return false;
    return !commands.empty();
  }
};

// Runs info, summary, check-change, validate-field, describe-persist and holidays on
// the example files of the folder.
QtLoadCheck CheckQueryCommandsLoadNoQt(const std::string& hcdtool, const std::string& examples);

}  // namespace bench
