#pragma once

#include <string>
#include <vector>

#include "tool/review/ConfigurationView.h"

// A control named by the user as show names it: its label, the closing colon and the
// shortcut marks optional ("Max Messages Per Sec.", "Max Messages Per Sec.:"), and,
// when two controls of the page share the label, with the caption of its group box
// in front: "System Setting/Default URL". The comparison is the page template's own
// (DialogTemplate::ShownCaption): the name given is read as a caption would be. When
// that finds nothing, the name is taken as people type it: letter case, runs of
// blanks, blanks before or after and a closing colon or dot aside ("max messages per
// sec"); a name that then fits more than one control is ambiguous, as ever.

// What a name given on the command line found on a page.
struct LabelLookup {
  enum class Result { Found, Unknown, Ambiguous };
  Result result = Result::Unknown;
  std::size_t index = 0;  // into the controls, when found
  // Unknown: the page's names, and the nearest one (empty when none is near).
  // Ambiguous: the group-prefixed names of the controls it could mean.
  std::vector<std::string> names;
  std::string nearest;
};

// Looks given (UTF-8, as typed) up among the controls of one page.
LabelLookup LookUpLabel(const std::vector<ShownControl>& controls, const std::string& given);

// The name that tells the control apart on its page: its label, or "GROUP/LABEL" when
// another control of the page has the same label. Stored text (ISO-8859-1).
std::string UniqueLabel(const std::vector<ShownControl>& controls, std::size_t index);

// The usage error's text for a name that is unknown or ambiguous on the page titled
// title: the page's names (or the candidates) and the nearest.
std::string LabelErrorMessage(const std::string& given, const std::string& title,
                              const LabelLookup& lookup);
