#include "tool/review/PageLabels.h"

#include <algorithm>
#include <cctype>

#include "text/TextEscape.h"
#include "ui/DialogTemplate.h"

namespace {

bool SameLabel(const ShownControl& control, const std::string& given) {
  // A name shown by show is already a shown caption; one copied from the page, marks
  // and colon included, becomes one by the template's rule.
  return control.label == given || control.label == DialogTemplate::ShownCaption(given);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name as people type it from memory: letter case, blanks (a run of them, before
// or after) and a closing colon or dot are not what tells two controls apart, so
// they are left out of the comparison. ASCII letters only change case: ISO-8859-1
// letters beyond it are compared as stored.
std::string Loose(const std::string& name) {
  const std::string shown = DialogTemplate::ShownCaption(name);
  std::string loose;
  for (const char c : shown) {
    if (IsBlank(c)) {
      if (!loose.empty() && loose.back() != ' ') loose += ' ';
      continue;
    }
    loose += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  while (!loose.empty() && (loose.back() == ' ' || loose.back() == ':' || loose.back() == '.'))
    loose.pop_back();
  return loose;
}

bool LooselySameLabel(const ShownControl& control, const std::string& given) {
  const std::string loose = Loose(given);
  return !loose.empty() && Loose(control.label) == loose;
}

// The controls given names: the exact rule first, so that a label that differs from
// another only in case or a closing dot is still reached by its own spelling; the
// loose one when the exact rule finds none.
template <class Same>
std::vector<std::size_t> Matching(const std::vector<ShownControl>& controls,
                                  const std::string& given, Same same) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (same(controls[i], given)) found.push_back(i);
  // "GROUP/LABEL", split at any slash, since a label or a group may hold one too.
  if (found.empty()) {
    for (std::size_t slash = given.find('/'); slash != std::string::npos;
         slash = given.find('/', slash + 1)) {
      const std::string group = given.substr(0, slash);
      const std::string label = given.substr(slash + 1);
      for (std::size_t i = 0; i < controls.size(); ++i) {
        ShownControl named;  // the group box, by its caption
        named.label = controls[i].group;
        if (!controls[i].group.empty() && same(named, group) && same(controls[i], label) &&
            std::find(found.begin(), found.end(), i) == found.end())
          found.push_back(i);
      }
    }
  }
  return found;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Edits (insertions, deletions, substitutions) between two texts, case aside.
std::size_t Distance(const std::string& aIn, const std::string& bIn) {
  const std::string a = Lower(aIn);
  const std::string b = Lower(bIn);
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string UniqueLabel(const std::vector<ShownControl>& controls, std::size_t index) {
  const ShownControl& control = controls.at(index);
  const bool shared = std::count_if(controls.begin(), controls.end(), [&](const ShownControl& c) {
                        return c.label == control.label;
                      }) > 1;
  return shared && !control.group.empty() ? control.group + "/" + control.label : control.label;
}

LabelLookup LookUpLabel(const std::vector<ShownControl>& controls, const std::string& typed) {
  LabelLookup lookup;
  // Labels are stored texts; what the user typed is UTF-8. A name ISO-8859-1 cannot
  // hold names no control, and is still compared for the nearest as typed.
  const std::string given = Latin1FromUtf8(typed).value_or(typed);
  std::vector<std::size_t> found = Matching(controls, given, SameLabel);
  if (found.empty()) found = Matching(controls, given, LooselySameLabel);
  if (found.size() == 1) {
    lookup.result = LabelLookup::Result::Found;
    lookup.index = found.front();
    return lookup;
  }
  if (found.size() > 1) {
    lookup.result = LabelLookup::Result::Ambiguous;
    for (const std::size_t i : found)
      lookup.names.push_back(controls[i].group.empty()
                                 ? controls[i].label
                                 : controls[i].group + "/" + controls[i].label);
    return lookup;
  }
  std::size_t best = std::string::npos;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    std::string name = UniqueLabel(controls, i);
    // Against the whole name, and against its start, for a name typed in part.
    const std::string shownGiven = DialogTemplate::ShownCaption(given);
    const std::size_t distance =
        std::min({Distance(given, name), Distance(shownGiven, controls[i].label),
                  Distance(shownGiven, controls[i].label.substr(0, shownGiven.size())) +
                      (shownGiven.size() < 4 ? 3 : 1)});
    if (distance <= std::max<std::size_t>(2, controls[i].label.size() / 3) && distance < best) {
      best = distance;
      lookup.nearest = name;
    }
    if (std::find(lookup.names.begin(), lookup.names.end(), name) == lookup.names.end())
      lookup.names.push_back(std::move(name));
  }
  return lookup;
}

std::string LabelErrorMessage(const std::string& given, const std::string& title,
                              const LabelLookup& lookup) {
  std::string names;
  for (const std::string& name : lookup.names)
    names += (names.empty() ? "" : ", ") + QuotedToken(name, TextBytes::Latin1);
  if (lookup.result == LabelLookup::Result::Ambiguous)
    return QuotedPath(given) + " names more than one control of the page " +
           QuotedToken(title, TextBytes::Latin1) + ": give one of " + names;
  std::string message = "no control is labelled " + QuotedPath(given) + " on the page " +
                        QuotedToken(title, TextBytes::Latin1);
  if (!lookup.nearest.empty())
    message += "; did you mean " + QuotedToken(lookup.nearest, TextBytes::Latin1) + "?";
  return message + (lookup.nearest.empty() ? "; its labels: " : " Its labels: ") + names;
}
