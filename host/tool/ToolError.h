#pragma once

#include <stdexcept>

// Exit codes of hcdtool, stable for scripts.
enum ToolExit : int {
  kExitOk = 0,
  kExitRefused = 1,  // the module refused: an invalid field, a refused or cancelled edit
  kExitUsage = 2,    // unknown command or option, missing or malformed argument
  kExitFailure = 3,  // a file, the configuration XML, the module, a window or the output
                     // could not be used
  // plan and diff with --detailed-exitcode: what deploying the change asks for.
  kExitChanges = 4,  // changes to deploy, no handler restarts
  kExitRestart = 5,  // a handler must restart
};

// A command line that cannot be run; reported on one line with kExitUsage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
