#include "ui/terminal/TextField.h"

#include <algorithm>

#include "ui/terminal/TerminalText.h"

void TextField::SetText(std::u32string text) {
  text_ = std::move(text);
  cursor_ = static_cast<int>(text_.size());
  first_ = 0;
}

void TextField::Insert(std::u32string_view text) {
  text_.insert(static_cast<std::size_t>(cursor_), text);
  cursor_ += static_cast<int>(text.size());
}

std::u32string TextField::WithInserted(std::u32string_view text) const {
  std::u32string result = text_;
  result.insert(static_cast<std::size_t>(cursor_), text);
  return result;
}

bool TextField::Backspace() {
  if (cursor_ == 0) return false;
  text_.erase(static_cast<std::size_t>(--cursor_), 1);
  return true;
}

bool TextField::DeleteForward() {
  if (cursor_ >= static_cast<int>(text_.size())) return false;
  text_.erase(static_cast<std::size_t>(cursor_), 1);
  return true;
}

std::optional<bool> TextField::ReadlineKey(char32_t control, bool mayChange) {
  const auto at = static_cast<std::size_t>(cursor_);
  switch (control) {
    case 0x01:  // Ctrl+A
      Home();
      return false;
    case 0x05:  // Ctrl+E
      End();
      return false;
    case 0x15:  // Ctrl+U
      if (!mayChange || at == 0) return false;
      text_.erase(0, at);
      cursor_ = 0;
      return true;
    case 0x0B:  // Ctrl+K
      if (!mayChange || at == text_.size()) return false;
      text_.erase(at);
      return true;
    case 0x17: {  // Ctrl+W: back over blanks, then over the word
      if (!mayChange || at == 0) return false;
      std::size_t start = at;
      while (start > 0 && (text_[start - 1] == U' ' || text_[start - 1] == U'\t')) --start;
      while (start > 0 && text_[start - 1] != U' ' && text_[start - 1] != U'\t') --start;
      text_.erase(start, at - start);
      cursor_ = static_cast<int>(start);
      return true;
    }
    default:
      return std::nullopt;
  }
}

void TextField::Left() { cursor_ = std::max(0, cursor_ - 1); }

void TextField::Right() { cursor_ = std::min(static_cast<int>(text_.size()), cursor_ + 1); }

void TextField::Home() { cursor_ = 0; }

void TextField::End() { cursor_ = static_cast<int>(text_.size()); }

int TextField::FirstShown(int width, bool masked) {
  width = std::max(width, 1);
  first_ = std::clamp(first_, 0, cursor_);
  // Columns from the first character shown to the cursor, with the cursor's own.
  auto span = [this, masked] {
    if (masked) return cursor_ - first_ + 1;
    return CellWidth(std::u32string_view(text_).substr(
               static_cast<std::size_t>(first_), static_cast<std::size_t>(cursor_ - first_))) +
           1;
  };
  while (first_ < cursor_ && span() > width) ++first_;
  return first_;
}

bool IsWholeNumberText(std::u32string_view text) {
  std::size_t i = 0;
  auto blanks = [&] {
    while (i < text.size() && (text[i] == U' ' || text[i] == U'\t')) ++i;
  };
  blanks();
  if (i < text.size() && (text[i] == U'+' || text[i] == U'-')) ++i;
  while (i < text.size() && text[i] >= U'0' && text[i] <= U'9') ++i;
  blanks();
  return i == text.size();
}
