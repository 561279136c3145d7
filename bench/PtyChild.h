#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// A program running in a terminal of its own (a pseudo-terminal of the given size),
// as a person's terminal runs it: the benchmark writes its keys and reads what it
// draws, with the time each piece of output arrived.
class PtyChild {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts argv (argv[0] is the path) with this process's environment plus extraEnv.
  // Throws std::runtime_error when it cannot be started.
  PtyChild(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
           int columns, int rows);
  ~PtyChild();
  PtyChild(const PtyChild&) = delete;
  PtyChild& operator=(const PtyChild&) = delete;

  // When the child was started.
  Clock::time_point Started() const { return started_; }
  void Write(std::string_view keys);
  // Reads until the output holds `marker` (empty: any output) and then stays quiet
  // for `quiet`; the time the last piece arrived. Throws std::runtime_error when that
  // has not happened within `limit`, or the child ended.
  Clock::time_point SettleAfter(std::string_view marker, std::chrono::milliseconds quiet,
                                std::chrono::milliseconds limit);
  // Everything read so far.
  const std::string& Output() const { return output_; }
  void ClearOutput() { output_.clear(); }
  // Ends the child (SIGTERM, then SIGKILL) and waits for it.
  void Stop();

 private:
  int master_ = -1;
  pid_t pid_ = -1;
  Clock::time_point started_;
  std::string output_;
};

}  // namespace bench
