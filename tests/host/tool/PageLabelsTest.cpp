// How a name given on the command line finds a control: the rule set and get share.
#include "tool/review/PageLabels.h"

#include <gtest/gtest.h>

namespace {

ShownControl Control(const std::string& label, const std::string& group) {
  ShownControl control;
  control.label = label;
  control.group = group;
  return control;
}

// A page where two controls share a label, told apart by their group boxes.
const std::vector<ShownControl> kPage = {
    Control("Enable", "Proxy Setting"),       Control("Address", "Proxy Setting"),
    Control("Enable", "Bank Holiday"),        Control("Max Messages Per Sec.", "System Setting"),
    Control("Default URL", "System Setting"), Control("Caf\xE9", ""),
};

TEST(PageLabels, FindsAControlByTheNameShowPrints) {
  const struct {
    const char* given;
    LabelLookup::Result result;
    std::size_t index;
  } cases[] = {
      {"Address", LabelLookup::Result::Found, 1},
      {"Address:", LabelLookup::Result::Found, 1},
      {"&Address:", LabelLookup::Result::Found, 1},
      {"Max Messages Per Sec.", LabelLookup::Result::Found, 3},
      {"Max Messages Per Sec.:", LabelLookup::Result::Found, 3},
      {"System Setting/Default URL", LabelLookup::Result::Found, 4},
      {"Proxy Setting/Enable", LabelLookup::Result::Found, 0},
      {"Bank Holiday/Enable:", LabelLookup::Result::Found, 2},
      {"Caf\xC3\xA9", LabelLookup::Result::Found, 5},  // typed in UTF-8, stored ISO-8859-1
      {"Enable", LabelLookup::Result::Ambiguous, 0},
      // As people type a name: case, blanks and a closing colon or dot aside.
      {"address", LabelLookup::Result::Found, 1},
      {"Max Messages Per Sec", LabelLookup::Result::Found, 3},
      {"  max   messages\tPER sec. ", LabelLookup::Result::Found, 3},
      {"max messages per sec:", LabelLookup::Result::Found, 3},
      {"ADDRESS.", LabelLookup::Result::Found, 1},
      {"proxy setting/ENABLE", LabelLookup::Result::Found, 0},
      {" bank  holiday /enable", LabelLookup::Result::Found, 2},
      {"bank holiday/enable:", LabelLookup::Result::Found, 2},
      {"caf\xC3\xA9", LabelLookup::Result::Found, 5},
      {"ENABLE", LabelLookup::Result::Ambiguous, 0},
      {"Max Messages", LabelLookup::Result::Unknown, 0},
      {"MaxMessages Per Sec", LabelLookup::Result::Unknown, 0},
      {":", LabelLookup::Result::Unknown, 0},
      {"Bank Holiday/Address", LabelLookup::Result::Unknown, 0},
      {"", LabelLookup::Result::Unknown, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    const LabelLookup lookup = LookUpLabel(kPage, c.given);
    EXPECT_EQ(lookup.result, c.result);
    if (c.result == LabelLookup::Result::Found) {
      EXPECT_EQ(lookup.index, c.index);
    }
  }
}

TEST(PageLabels, AnAmbiguousNameListsTheGroupPrefixedOnes) {
  const LabelLookup lookup = LookUpLabel(kPage, "Enable");
  EXPECT_EQ(lookup.names,
            (std::vector<std::string>{"Proxy Setting/Enable", "Bank Holiday/Enable"}));
  EXPECT_EQ(LabelErrorMessage("Enable", "Page", lookup),
            "\"Enable\" names more than one control of the page \"Page\": give one of "
            "\"Proxy Setting/Enable\", \"Bank Holiday/Enable\"");
}

// Two labels that differ only where the loose rule looks away: each is still reached
// by its own spelling, and a name that fits both loosely is refused with both.
TEST(PageLabels, ALooseNameThatFitsTwoLabelsIsAmbiguous) {
  const std::vector<ShownControl> page = {Control("Rate", ""), Control("rate.", "Limits")};
  EXPECT_EQ(LookUpLabel(page, "Rate").index, 0u);
  EXPECT_EQ(LookUpLabel(page, "rate.").index, 1u);
  const LabelLookup lookup = LookUpLabel(page, "RATE");
  ASSERT_EQ(lookup.result, LabelLookup::Result::Ambiguous);
  EXPECT_EQ(lookup.names, (std::vector<std::string>{"Rate", "Limits/rate."}));
}

TEST(PageLabels, AnUnknownNameListsThePageAndSuggestsTheNearest) {
  const struct {
    const char* given;
    const char* nearest;
  } cases[] = {
      {"Adress", "Address"},
      {"Max Mesages Per Sec", "Max Messages Per Sec."},
      {"Max Mesages", "Max Messages Per Sec."},
      {"Proxy Setting/Enabled", "Proxy Setting/Enable"},
      {"Username", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    const LabelLookup lookup = LookUpLabel(kPage, c.given);
    ASSERT_EQ(lookup.result, LabelLookup::Result::Unknown);
    EXPECT_EQ(lookup.nearest, c.nearest);
    // Every control once, shared labels with their group.
    EXPECT_EQ(lookup.names.size(), kPage.size());
    const std::string message = LabelErrorMessage(c.given, "Page", lookup);
    EXPECT_NE(message.find("\"Bank Holiday/Enable\""), std::string::npos) << message;
    EXPECT_EQ(message.find("did you mean") != std::string::npos, *c.nearest != '\0') << message;
  }
}

}  // namespace
