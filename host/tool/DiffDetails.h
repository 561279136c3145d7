#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "tool/output/JsonOutput.h"
#include "tool/review/ViewDifference.h"

struct FilePlan;

// What diff adds to plan's report of each entry: what the pages of a changed pair show
// differently, kept when the pair is planned and given out when its entry is
// reported, as lines below the entry's line or as members of its JSON object.
class DiffDetails {
 public:
  // What the pages of the entry at path show differently, for when it is reported.
  void Expect(std::string path, ViewDifference difference) {
    pending_.emplace(std::move(path), std::move(difference));
  }
  // Whether any entry reported so far is not the same on both sides.
  bool Differs() const { return differs_; }

  // Each control whose shown value changed as "LABEL: OLD → NEW" (a password as
  // changed), and the holidays per currency as "+ DATE REMARK", "- DATE REMARK" and
  // "~ DATE OLD → NEW", indented below the entry.
  void WriteLines(const FilePlan& plan, std::ostream& out);
  // "controls" and "holidays", empty arrays for an entry with nothing kept.
  void AddMembers(const FilePlan& plan, Json& entry);

 private:
  std::optional<ViewDifference> Take(const FilePlan& plan);

  std::optional<std::pair<std::string, ViewDifference>> pending_;
  bool differs_ = false;
};
