#include "ui/scripted/ScriptAction.h"

#include <charconv>

bool ScriptToken::IsNumber() const {
  if (quoted || text.empty()) return false;
  int value = 0;
  const char* begin = text.data();
  if (*begin == '-') ++begin;
  if (begin == text.data() + text.size()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int ScriptToken::Number() const {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}
