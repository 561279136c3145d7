#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Runs hcdtool as a separate process, the way a user's script would.
struct ToolResult {
  int exitCode = -1;  // 128 + signal when killed by one
  std::string out;
  std::string err;
  bool timedOut = false;
  long maxRssKb = 0;  // peak resident memory of the run
};

// Where the run's standard output goes.
enum class ToolStdout {
  Capture,     // into ToolResult::out
  DevFull,     // /dev/full: every write fails with ENOSPC
  ClosedPipe,  // a pipe whose reading end is closed: every write fails with EPIPE
};

struct ToolLimits {
  std::string workDir = {};       // empty: the test's own
  int timeoutSeconds = 120;       // then the run is killed and timedOut set
  std::int64_t maxFileSize = -1;  // RLIMIT_FSIZE for the run: writes beyond fail (EFBIG)
  ToolStdout stdoutTo = ToolStdout::Capture;
  std::vector<std::string> environment = {};  // NAME=VALUE set for the run, NAME= unset it
  // Run bound by file permissions as any user is, even when the test runs as root:
  // without the capabilities that let root read and search what its mode denies.
  bool boundByPermissions = false;
  std::int64_t maxAddressSpace = -1;  // RLIMIT_AS for the run, as `ulimit -v` sets it
  std::int64_t maxOpenFiles = -1;     // RLIMIT_NOFILE (soft and hard), as `ulimit -n` sets it
  std::string stdinFrom = {};         // a file the run reads as stdin; empty: /dev/null
  // A signal sent to the run once, that many microseconds after it started; -1: none.
  std::int64_t signalAfterUs = -1;
  int signal = 0;
};

// The hcdtool the tests run: the one built beside them, or the one named by
// HCDTOOL_UNDER_TEST (to run the same tests against another build).
std::string ToolPath();

ToolResult RunTool(const std::vector<std::string>& args, const ToolLimits& limits = {});

// Whether a run with boundByPermissions is refused the folder (one of mode 000):
// false where the permissions cannot be made to bind, so that a test can skip.
bool PermissionsBind(const std::filesystem::path& unreadableFolder);

// A file's bytes, or nothing when it cannot be read; and a file written whole.
std::string ReadAll(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const std::string& text);

// The names of a configuration file's properties, in the order the bag keeps them.
std::vector<std::string> KeysOf(const std::filesystem::path& file);
