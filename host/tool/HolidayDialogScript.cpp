#include "tool/HolidayDialogScript.h"

#include "tool/HolidayStoreMirror.h"
#include "tool/ToolError.h"

std::string ScriptWord(const std::string& text, const std::string& what) {
  std::string word = "\"";
  for (const char c : text) {
    if (c == '\n' || c == '\r') throw UsageError(what + " must not hold a line break");
    if (c == '"' || c == '\\') word.push_back('\\');
    word.push_back(c);
  }
  word.push_back('"');
  return word;
}

void CheckCurrency(const std::string& currency) {
  if (!holiday_store_mirror::CanStoreCurrency(currency))
    throw UsageError(
        "CURRENCY must have at least two characters and no '|', as the stored "
        "holiday table requires");
  for (const unsigned char c : currency)
    if (c <= 0x20 || c >= 0x7F)
      throw UsageError("CURRENCY may hold printable ASCII characters other than the blank only");
}
