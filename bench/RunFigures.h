#pragma once

#include <map>
#include <optional>
#include <string>

namespace bench {

// The time per iteration of every benchmark of a run, by name.
class RunFigures {
 public:
  struct Figure {
    double cpuSeconds = 0;
    double realSeconds = 0;
  };

  void Record(const std::string& name, const Figure& figure) { figures_[name] = figure; }
  // Nothing when the benchmark did not run or failed.
  std::optional<Figure> Find(const std::string& name) const {
    const auto it = figures_.find(name);
    if (it == figures_.end()) return std::nullopt;
    return it->second;
  }
  bool empty() const { return figures_.empty(); }

 private:
  std::map<std::string, Figure> figures_;
};

}  // namespace bench
