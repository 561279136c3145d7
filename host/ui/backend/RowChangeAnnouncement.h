#pragma once

#include <string>
#include <string_view>

// What the rows of a list went through during one command of the user's.
struct RowChange {
  int before = 0;        // rows when the command started
  int added = 0;         // rows inserted
  int removed = 0;       // rows deleted, one by one or all at once
  bool emptied = false;  // all rows were deleted at once
  // Another item was chosen in a list of the window meanwhile (a currency added and
  // chosen): the rows are that item's, not rows removed from the list.
  bool otherChoice = false;
};

// What a screen reader is told, politely, after a command added rows to a list or
// removed them ("12 holidays added", "1 holiday removed", "All 95000 holidays
// removed"), so that a user who cannot see the list knows what the command did.
// `noun` names one row, singular (RowNoun). "" when nothing was added or removed,
// and when the list was emptied and filled again or emptied for another choice: other
// rows shown, not rows added or removed.
// Every backend says it in these words.
std::string RowChangeAnnouncement(std::string_view noun, const RowChange& change);

// What one row of a list is called, from the caption of the label that names the
// list ("&Holiday:" gives "holiday"); "row" when the list has no label.
std::string RowNoun(std::string_view labelCaption);
// The same from the list's name, already read without marks ("Holiday").
std::string RowNounOfName(std::string_view name);
