#include "tool/review/StoredPasswords.h"

#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "props/CHandlerPrivateProps.h"
#include "tool/review/ConfigurationView.h"

namespace {

constexpr std::string_view kHidden = "(a password, not shown)";
// Each name costs a reading of the page (a few ms); a configuration holds a few dozen
// names, and one with every currency some two hundred.
constexpr std::size_t kMostNames = 1024;

// Every value of a Name attribute in the text, as written.
std::set<std::string> NamesIn(std::string_view text) {
  std::set<std::string> names;
  for (std::size_t at = text.find("Name="); at != std::string_view::npos;
       at = text.find("Name=", at + 1)) {
    const std::size_t open = at + 5;
    if (open >= text.size() || (text[open] != '"' && text[open] != '\'')) continue;
    const std::size_t close = text.find(text[open], open + 1);
    if (close == std::string_view::npos) break;
    names.emplace(text.substr(open + 1, close - open - 1));
  }
  return names;
}

std::vector<PasswordShown> PasswordBoxes(const ConfigurationView& view) {
  std::vector<PasswordShown> boxes;
  for (const ShownControl& control : view.controls)
    if (control.password) boxes.push_back(*control.password);
  return boxes;
}

// The end of the element whose start tag ends at `from`: after its matching
// </Property>, or the end of the text when it was cut off.
std::size_t ElementEnd(const std::string& text, std::size_t from) {
  int depth = 1;
  std::size_t at = from;
  while (depth > 0) {
    at = text.find('<', at);
    if (at == std::string::npos) return text.size();
    if (text.compare(at, 11, "</Property>") == 0) {
      if (--depth == 0) return at;
      at += 11;
      continue;
    }
    if (text.compare(at, 9, "<Property") == 0) {
      const std::size_t end = text.find('>', at);
      if (end == std::string::npos) return text.size();
      if (text[end - 1] != '/') ++depth;
      at = end + 1;
      continue;
    }
    ++at;
  }
  return at;
}

// The content of each element named name replaced.
void Hide(std::string& text, const std::string& name) {
  for (const char quote : {'"', '\''}) {
    const std::string attribute = "Name=" + std::string(1, quote) + name + quote;
    for (std::size_t at = text.find(attribute); at != std::string::npos;
         at = text.find(attribute, at + 1)) {
      const std::size_t tagEnd = text.find('>', at);
      if (tagEnd == std::string::npos) {
        // Cut off inside the start tag: nothing of the value follows, but hide the rest.
        text.replace(at + attribute.size(), std::string::npos, " " + std::string(kHidden));
        return;
      }
      if (text[tagEnd - 1] == '/') continue;
      const std::size_t end = ElementEnd(text, tagEnd + 1);
      text.replace(tagEnd + 1, end - tagEnd - 1, kHidden);
    }
  }
}

}  // namespace

std::string HideStoredPasswords(Module& module, ConfigKind kind, std::string stored) {
  const std::set<std::string> names = NamesIn(stored);
  if (names.empty()) return stored;
  if (names.size() > kMostNames)
    throw std::runtime_error("it holds more names than a configuration could");
  CHandlerPrivateProps empty;
  const std::vector<PasswordShown> none =
      PasswordBoxes(ViewConfiguration(module, kind, empty, false));
  if (none.empty()) return stored;
  for (const std::string& name : names) {
    CHandlerPrivateProps bag;
    bag.Properties()[name].SetValue(std::string("x"));
    if (PasswordBoxes(ViewConfiguration(module, kind, bag, false)) != none) Hide(stored, name);
  }
  return stored;
}
