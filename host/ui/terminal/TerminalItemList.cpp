#include "ui/terminal/TerminalItemList.h"

#include <cwctype>

#include "ui/terminal/TerminalText.h"

TerminalItemList::~TerminalItemList() = default;

int TerminalItemList::AddItem(std::string_view text) {
  const int index = items_.Add(text);
  ItemsChanged();
  return index;
}

int TerminalItemList::InsertItem(int index, std::string_view text) {
  const int inserted = items_.Insert(index, text);
  ItemsChanged();
  return inserted;
}

void TerminalItemList::DeleteItem(int index) {
  if (items_.Delete(index)) ItemsChanged();
}

void TerminalItemList::ResetItems() {
  items_.Clear();
  ItemsChanged();
}

void TerminalItemList::SetSelection(int index) {
  if (items_.Select(index)) ItemsChanged();
}

namespace {

bool StartsWithFolded(std::u32string_view text, std::u32string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::towlower(static_cast<wint_t>(text[i])) !=
        std::towlower(static_cast<wint_t>(prefix[i])))
      return false;
  return true;
}

}  // namespace

int TerminalItemList::TypeAhead(char32_t c, int current) {
  const auto now = std::chrono::steady_clock::now();
  const bool goingOn = now - lastTyped_ < std::chrono::seconds(1) && !typed_.empty();
  lastTyped_ = now;
  typed_ = goingOn ? typed_ + c : std::u32string(1, c);
  // A prefix that goes on is looked for from the current item, which may still
  // match; a new one from the item after it, so that one letter typed again steps.
  const int count = items_.Count();
  if (count == 0) return -1;
  const int start = goingOn ? std::max(current, 0) : current + 1;
  for (int n = 0; n < count; ++n) {
    const int index = ((start + n) % count + count) % count;
    if (StartsWithFolded(FromLatin1(items_.Text(index)), typed_)) return index;
  }
  return -1;
}
