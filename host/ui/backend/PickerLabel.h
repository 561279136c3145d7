#pragma once

#include <optional>
#include <span>
#include <string>

#include "ui/ControlTemplate.h"

// A date-time picker that no label names gets one of its own, so that a screen
// reader has a name to read and the keyboard a mnemonic to reach it: the caption
// says what the picker holds ("Year:"), and it sits on the line above the picker,
// when nothing but a group box is there. Every backend places it so, and serves its
// mnemonic after the template's own captions, so that a window answers the same
// letters whatever shows it.

// Where the label goes: the picker's width, one line of text above it; nothing when
// that is outside the window or over one of `others` (group boxes aside).
std::optional<DluRect> PickerLabelPlace(const DluRect& picker,
                                        std::span<const ControlTemplate> others);

// What a picker holds, as its label says it ("Date", "Year", "Date and time",
// "Time").
std::string PickerHolds(bool date, bool time, bool yearOnly);
