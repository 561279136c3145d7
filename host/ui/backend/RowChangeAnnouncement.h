#pragma once

#include <string>
#include <string_view>

// What a screen reader is told, politely, after a command added rows to a list or
// removed them ("12 holidays added", "1 holiday removed", "All 95000 holidays
// removed"), so that a user who cannot see the list knows what the command did.
// `noun` names one row, singular: RowNoun of the list's label. "" when the count
// did not change.
std::string RowChangeAnnouncement(std::string_view noun, int before, int after);

// What one row of a list is called, from the caption of the label that names the
// list ("&Holiday:" gives "holiday"); "row" when the list has no label.
std::string RowNoun(std::string_view labelCaption);
