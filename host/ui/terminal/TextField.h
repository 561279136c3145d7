#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a one-line field as the user edits it: a cursor between characters
// and the first character shown when the text is wider than the field. No limit on
// the length: a text set from code is never cut short, and a long one scrolls.
class TextField {
 public:
  const std::u32string& Text() const { return text_; }
  // The cursor goes to the end.
  void SetText(std::u32string text);
  int Cursor() const { return cursor_; }

  void Insert(std::u32string_view text);
  // False when there was nothing to remove.
  bool Backspace();
  bool DeleteForward();
  void Left();
  void Right();
  void Home();
  void End();

  // A control character as readline takes it: Ctrl+A and Ctrl+E go to the start and
  // the end, Ctrl+U and Ctrl+K delete before and after the cursor, Ctrl+W the word
  // before it (and the blanks after that word). Nothing for another character;
  // else whether the text changed (never, unless `mayChange`).
  std::optional<bool> ReadlineKey(char32_t control, bool mayChange);

  // The text after Insert(text) at the cursor, without inserting it.
  std::u32string WithInserted(std::u32string_view text) const;

  // The index of the first character shown in a field `width` columns wide, moved
  // as little as possible so that the cursor (a column of its own at the end) shows.
  // With `masked`, every character shows as one column (a password's stars).
  int FirstShown(int width, bool masked = false);

 private:
  std::u32string text_;
  int cursor_ = 0;
  int first_ = 0;
};

// Whether the text can become a whole number: blanks, an optional sign and digits,
// blanks; nothing but that (an empty text can).
bool IsWholeNumberText(std::u32string_view text);
