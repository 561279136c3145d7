#pragma once

#include <string>
#include <vector>

#include "ui/WinConstants.h"

// The icon of a message box, from the MB_ICON bits of its type.
enum class MessageIcon { None, Error, Question, Warning, Information };

// What a message box shows: text, caption, and the MB_ button set, icon and default
// button bits.
struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned type = MB_OK;

  unsigned Buttons() const { return type & MB_TYPEMASK; }
  MessageIcon Icon() const;
  // The answers of the buttons, in the order they show.
  std::vector<int> Answers() const;
  // The answer of a user who only presses Enter: the button MB_DEFBUTTON names
  // (the first when it names none, or one the set does not have).
  int DefaultAnswer() const;
};

// "warning" and so on; "" for no icon.
const char* MessageIconName(MessageIcon icon);
