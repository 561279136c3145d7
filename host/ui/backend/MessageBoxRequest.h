#pragma once

#include <string>

#include "ui/WinConstants.h"

// The icon of a message box, from the MB_ICON bits of its type.
enum class MessageIcon { None, Error, Question, Warning, Information };

// What a message box shows: text, caption, and the MB_ button set and icon bits.
struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned type = MB_OK;

  unsigned Buttons() const { return type & MB_TYPEMASK; }
  MessageIcon Icon() const;
  // The answer of a user who only presses Enter: IDOK, or IDYES for the yes/no sets.
  int DefaultAnswer() const;
};

// "warning" and so on; "" for no icon.
const char* MessageIconName(MessageIcon icon);
