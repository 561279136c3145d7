#include "bench/QtLoadCheck.h"

#include <exception>

#include "bench/ChildProcess.h"

namespace bench {
namespace {

struct Case {
  std::vector<std::string> args;
  int exitCode;
};

std::vector<Case> Cases(const std::string& examples) {
  const std::string handler = examples + "/handler.xml";
  const std::string changed = examples + "/handler-changed.xml";
  const std::string staticSet = examples + "/static.xml";
  const std::string dynamicSet = examples + "/dynamic.xml";
  return {
      {{"info"}, 0},
      {{"summary", "--handler", handler}, 0},
      {{"summary", "--static", staticSet}, 0},
      {{"summary", "--dynamic", dynamicSet}, 0},
      {{"check-change", "--handler", handler, changed}, 0},
      {{"check-change", "--static", staticSet, staticSet}, 0},
      {{"check-change", "--dynamic", dynamicSet, dynamicSet}, 0},
      {{"validate-field", "BENCHMARK_PRICE"}, 0},
      {{"validate-field", "NOT_A_FIELD"}, 1},
      {{"describe-persist", "--version", "1", examples + "/persist/record-v1.bin"}, 0},
      {{"holidays", "GBP", "2024"}, 0},
      {{"holidays", "CHF", "2030"}, 0},
      {{"plan", examples + "/trees/before", examples + "/trees/after"}, 0},
      {{"lint", examples + "/trees/after"}, 0},
      {{"show", "--handler", handler}, 0},
      {{"show", "--handler", handler, "--year", "2025"}, 0},
      {{"diff", examples + "/trees/before", examples + "/trees/after"}, 1},
  };
}

std::string Joined(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) line += (line.empty() ? "" : " ") + arg;
  return line;
}

}  // namespace

QtLoadCheck CheckQueryCommandsLoadNoQt(const std::string& hcdtool, const std::string& examples) {
  QtLoadCheck check;
  for (const Case& c : Cases(examples)) {
    QtLoadCheck::Command command;
    command.line = Joined(c.args);
    std::vector<std::string> argv{hcdtool};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    try {
      // No display either: a command that wanted Qt would have to fail or load it.
      const ChildOutcome outcome = RunChild(argv, {"LD_DEBUG=files", "QT_QPA_PLATFORM=offscreen"});
      const bool reported = outcome.errorText.find("HCDKELO.hcd") != std::string::npos;
      command.ran = outcome.exited && outcome.exitCode == c.exitCode && reported;
      command.loadedQt = outcome.errorText.find("libQt6") != std::string::npos;
      if (!outcome.exited || outcome.exitCode != c.exitCode)
        command.problem =
            "exit " + std::to_string(outcome.exitCode) + ", expected " + std::to_string(c.exitCode);
      else if (!reported)
        command.problem = "the dynamic loader did not report the module's loading";
    } catch (const std::exception& e) {
      command.problem = e.what();
    }
    check.commands.push_back(std::move(command));
  }
  return check;
}

}  // namespace bench
