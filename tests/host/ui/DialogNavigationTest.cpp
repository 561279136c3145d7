#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "ui/model/DialogNavigation.h"

namespace {

using K = ControlKind;
using S = ControlStyle;

ControlTemplate Radio(std::uint32_t style = S::None) { return {1, K::RadioButton, "r", {}, style}; }
ControlTemplate Of(ControlKind kind, std::uint32_t style = S::None) {
  return {1, kind, "", {}, style};
}

TEST(DialogNavigation, FormsRadioGroupsFromTheGroupFlagAsADialogManagerDoes) {
  struct Case {
    const char* what;
    std::vector<ControlTemplate> controls;
    std::vector<std::vector<int>> groups;
  };
  const Case cases[] = {
      {"adjacent buttons are one group", {Radio(S::Group), Radio(), Radio()}, {{0, 1, 2}}},
      {"the flag starts the next",
       {Radio(S::Group), Radio(), Radio(S::Group), Radio()},
       {{0, 1}, {2, 3}}},
      {"a first button needs no flag", {Of(K::Edit), Radio(), Radio()}, {{1, 2}}},
      {"hints and frames between buttons leave the group whole",
       {Radio(S::Group), Of(K::Label), Radio(), Of(K::GroupBox), Radio()},
       {{0, 2, 4}}},
      {"a control that takes the focus ends it",
       {Radio(S::Group), Of(K::Edit), Radio(), Of(K::PushButton), Radio()},
       {{0}, {2}, {4}}},
      {"a label with the flag ends it", {Radio(), Of(K::Label, S::Group), Radio()}, {{0}, {2}}},
      {"no buttons, no groups", {Of(K::Edit), Of(K::Label)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DialogNavigation navigation(c.controls);
    EXPECT_EQ(navigation.Groups(), c.groups);
    for (std::size_t g = 0; g < c.groups.size(); ++g)
      for (int member : c.groups[g]) EXPECT_EQ(navigation.GroupOf(member), static_cast<int>(g));
  }
}

// The handler page's endpoint choices: four buttons with a hint beside two of them,
// between a number field and the host field.
class EndpointChoices : public ::testing::Test {
 protected:
  enum {
    kRate,
    kDefault,
    kProduction,
    kProductionHint,
    kTesting,
    kTestingHint,
    kUser,
    kHostLabel,
    kHost,
    kCount
  };

  EndpointChoices()
      : navigation_(std::vector<ControlTemplate>{Of(K::Edit), Radio(S::Group), Radio(),
                                                 Of(K::Label), Radio(), Of(K::Label), Radio(),
                                                 Of(K::Label), Of(K::Edit)}) {}

  ControlStates States() const {
    return {[this](int i) {
              return i < kCount && i != kProductionHint && i != kTestingHint && i != kHostLabel &&
                     !disabled_.contains(i);
            },
            [this](int i) { return checked_.contains(i); }};
  }
  std::vector<int> Stops() const { return navigation_.TabStops(kCount, States()); }

  DialogNavigation navigation_;
  std::set<int> checked_;
  std::set<int> disabled_;
};

TEST_F(EndpointChoices, TabStopsOnlyAtTheCheckedButtonsThatCanTakeTheFocus) {
  struct Case {
    const char* what;
    std::set<int> checked;
    std::set<int> disabled;
    std::vector<int> stops;
  };
  const Case cases[] = {
      {"the default endpoint and its kind",
       {kDefault, kProduction},
       {kHost},
       {kRate, kDefault, kProduction}},
      {"the testing endpoint", {kDefault, kTesting}, {kHost}, {kRate, kDefault, kTesting}},
      {"a user's URL: the endpoints are disabled, though one keeps its mark",
       {kUser, kProduction},
       {kProduction, kTesting},
       {kRate, kUser, kHost}},
      {"nothing checked: the first that can take the focus",
       {},
       {kDefault},
       {kRate, kProduction, kHost}},
      {"nothing can take the focus",
       {kDefault},
       {kDefault, kProduction, kTesting, kUser},
       {kRate, kHost}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    checked_ = c.checked;
    disabled_ = c.disabled;
    EXPECT_EQ(Stops(), c.stops);
  }
}

TEST_F(EndpointChoices, ArrowsGoRoundTheGroupOverItsHintsAndSkipWhatCannotTakeTheFocus) {
  checked_ = {kDefault, kProduction};
  EXPECT_EQ(navigation_.ArrowTarget(kDefault, 1, States()), kProduction);
  EXPECT_EQ(navigation_.ArrowTarget(kProduction, 1, States()), kTesting);
  EXPECT_EQ(navigation_.ArrowTarget(kUser, 1, States()), kDefault);  // round, not out
  EXPECT_EQ(navigation_.ArrowTarget(kDefault, -1, States()), kUser);
  EXPECT_TRUE(navigation_.ArrowsChoose(kTesting));
  EXPECT_FALSE(navigation_.ArrowsChoose(kRate));
  EXPECT_EQ(navigation_.ArrowTarget(kRate, 1, States()), std::nullopt);

  disabled_ = {kProduction, kTesting};
  EXPECT_EQ(navigation_.ArrowTarget(kUser, -1, States()), kDefault);
  EXPECT_EQ(navigation_.ArrowTarget(kDefault, 1, States()), kUser);
  disabled_ = {kProduction, kTesting, kUser};
  EXPECT_EQ(navigation_.ArrowTarget(kDefault, 1, States()), std::nullopt);
}

TEST_F(EndpointChoices, TabAndShiftTabGoFromStopToStopAndRoundOnlyWhenAsked) {
  checked_ = {kUser};
  disabled_ = {kProduction, kTesting};
  struct Case {
    int from;
    bool backwards;
    bool wrap;
    std::optional<int> to;
  };
  const Case cases[] = {
      {-1, false, false, kRate},
      {-1, true, true, kHost},
      {-1, true, false, std::nullopt},
      {kRate, false, false, kUser},
      {kUser, false, false, kHost},
      {kHost, false, false, std::nullopt},
      {kHost, false, true, kRate},
      {kHost, true, false, kUser},
      {kRate, true, false, std::nullopt},
      {kRate, true, true, kHost},
      // From a button that is no stop (its mark gone meanwhile): the stops around it.
      {kDefault, false, false, kUser},
      {kDefault, true, false, kRate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "from " << c.from << (c.backwards ? " back" : "") << (c.wrap ? " round" : ""));
    EXPECT_EQ(navigation_.NextTabStop(c.from, c.backwards, c.wrap, kCount, States()), c.to);
  }
}

}  // namespace
