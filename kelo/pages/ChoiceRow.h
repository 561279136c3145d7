#pragma once

#include <span>

namespace kelo {

// One entry of a combo box's list: the name shown and the code stored in the record.
// The list shows "<code> - <name>".
struct ChoiceRow {
  const char* name;
  const char* code;
};

using ChoiceTable = std::span<const ChoiceRow>;

// The FIX protocol's values of PartyIDSource, PartyRole and SecurityIDSource that a
// KEL submission uses. Other codes may be typed into the combo boxes.
inline constexpr ChoiceRow PartyIDSourceChoices[] = {{"Proprietary/Custom code", "D"}};
inline constexpr ChoiceRow PartyRoleChoices[] = {{"Agent", "30"}};
inline constexpr ChoiceRow SecurityIDSourceChoices[] = {{"Exchange Symbol", "8"}};

}  // namespace kelo
