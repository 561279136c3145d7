#include "ui/backend/RowChangeAnnouncement.h"

#include <cctype>

#include "ui/DialogTemplate.h"

namespace {

std::string Plural(std::string_view noun) {
  std::string plural(noun);
  const auto vowel = [](char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
  };
  if (plural.size() >= 2 && plural.back() == 'y' && !vowel(plural[plural.size() - 2])) {
    plural.back() = 'i';
    return plural + "es";
  }
  if (plural.ends_with('s') || plural.ends_with('x') || plural.ends_with("ch") ||
      plural.ends_with("sh"))
    return plural + "es";
  return plural + "s";
}

std::string Counted(int count, std::string_view noun) {
  return std::to_string(count) + " " + (count == 1 ? std::string(noun) : Plural(noun));
}

}  // namespace

std::string RowChangeAnnouncement(std::string_view noun, const RowChange& change) {
  if (change.emptied && change.otherChoice) return {};
  if (change.added > 0 && change.removed == 0) return Counted(change.added, noun) + " added";
  if (change.removed > 0 && change.added == 0) {
    const bool all = change.removed == change.before && change.removed > 1;
    return (all ? "All " : "") + Counted(change.removed, noun) + " removed";
  }
  if (change.added > 0 && !change.emptied)
    return Counted(change.added, noun) + " added, " + Counted(change.removed, noun) + " removed";
  return {};
}

std::string RowNoun(std::string_view labelCaption) {
  return RowNounOfName(DialogTemplate::ShownCaption(labelCaption));
}

std::string RowNounOfName(std::string_view name) {
  std::string noun(name);
  if (noun.empty()) return "row";
  // A proper name keeps its capitals; a word at the head of a label loses its own.
  if (noun.size() < 2 || !std::isupper(static_cast<unsigned char>(noun[1])))
    noun[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(noun[0])));
  return noun;
}
