#include "ui/ItemSearch.h"

#include <cctype>

#include "ui/backend/UiWindow.h"

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int FindItemText(const UiWindow& window, int controlId, int startAfter, std::string_view text,
                 bool exact) {
  const int count = window.ItemCount(controlId);
  if (count <= 0) return -1;
  const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
  for (int step = 0; step < count; ++step) {
    const int index = (first + step) % count;
    const std::string item = window.ItemText(controlId, index);
    if (StartsWithIgnoringCase(item, text) && (!exact || item.size() == text.size())) {
      return index;
    }
  }
  return -1;
}
