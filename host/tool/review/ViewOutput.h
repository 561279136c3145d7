#pragma once

#include <iosfwd>
#include <string>

#include "tool/output/JsonOutput.h"
#include "tool/output/Palette.h"
#include "tool/review/ConfigurationView.h"
#include "tool/review/ViewDifference.h"

// How show and diff write what a page shows. A value is one token that cannot pass
// for another: a text always in double quotes, escaped by the rule of TextEscape.h;
// a check box "[x]" or "[ ]", a radio button "(o)" or "( )"; a password box "(set)",
// "(empty)" or "(unreadable, kept)", never any part of its text; " (disabled)" after
// it for a control the user cannot change.

// The value of the control as text output shows it.
std::string ShownValue(const ShownControl& control);

// The control as a JSON object: label, group, kind, enabled, and its value as
// "checked", "value" or "password" (the others null).
Json ControlJson(const ShownControl& control);

// A holiday as a line of text output, after the indent: currency, date key, remark.
std::string HolidayLine(const std::string& currency, const ListViewRow& row);

// The whole view as show prints it.
void PrintView(const ConfigurationView& view, std::ostream& out);
Json ViewJson(const ConfigurationView& view);

// What the pages of a pair show differently, as lines indented below its entry: each
// control whose shown value changed as "LABEL: OLD → NEW" ("LABEL: changed" for a
// password box that holds a password on both sides), and the holidays per currency
// as "+ DATE REMARK", "- DATE REMARK" and "~ DATE OLD → NEW"; in the palette's colours,
// the old red and the new green.
void PrintDifference(const ViewDifference& difference, std::ostream& out,
                     const Palette& palette = Palette());
// The same as the members "controls" and "holidays" of an entry's JSON object.
void AddDifferenceJson(const ViewDifference& difference, Json& entry);
