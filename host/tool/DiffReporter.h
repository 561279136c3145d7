#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "tool/PlanReporter.h"
#include "tool/ViewDifference.h"

// Renders diff: the plan's entries and verdicts exactly as plan renders them, each
// changed entry followed by what a reviewer sees change on its page and in its
// holiday calendar.
class DiffReporter : public PlanReporter {
 public:
  // What the pages of the entry at path show differently, for when it is reported.
  void Expect(std::string path, ViewDifference difference) {
    pending_.emplace(std::move(path), std::move(difference));
  }
  // Whether any entry reported so far is not the same on both sides.
  bool Differs() const { return differs_; }

 protected:
  // The difference kept for the entry, which counts towards Differs; none when none
  // was kept.
  std::optional<ViewDifference> Take(const FilePlan& plan);

 private:
  std::optional<std::pair<std::string, ViewDifference>> pending_;
  bool differs_ = false;
};

// Text: plan's lines, the differences of an entry indented below its line.
std::unique_ptr<DiffReporter> TextDiffReporter(std::ostream& out);
// JSON: plan's document, each file entry with "controls" and "holidays" added.
std::unique_ptr<DiffReporter> JsonDiffReporter(std::ostream& out);
