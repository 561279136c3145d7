#include "ui/qt/PickerFormat.h"

#include <algorithm>
#include <string>

#include "ui/qt/Latin1.h"

namespace {

// The Qt field for a run of one picker letter, or "" when the letter is no field.
std::string Field(char letter, std::size_t run) {
  switch (letter) {
    case 'd':
      return std::string(std::min<std::size_t>(run, 4), 'd');
    case 'M':
      return std::string(std::min<std::size_t>(run, 4), 'M');
    case 'y':
      // "y" is the last digit of the year, which Qt cannot show: two digits stand in.
      return run <= 2 ? "yy" : "yyyy";
    case 'h':
    case 'H':
    case 'm':
    case 's':
      return std::string(std::min<std::size_t>(run, 2), letter);
    case 't':
      return "AP";
    default:
      return {};
  }
}

void AppendLiteral(std::string& format, std::string_view literal) {
  if (literal.empty()) return;
  format += '\'';
  for (char c : literal) {
    if (c == '\'') format += '\'';
    format += c;
  }
  format += '\'';
}

}  // namespace

QString QtPickerFormat(std::string_view windowsFormat) {
  std::string format;
  std::string literal;
  std::size_t i = 0;
  while (i < windowsFormat.size()) {
    const char c = windowsFormat[i];
    if (c == '\'') {
      // Quoted text; two quotes stand for one.
      std::size_t j = i + 1;
      while (j < windowsFormat.size()) {
        if (windowsFormat[j] == '\'') {
          if (j + 1 < windowsFormat.size() && windowsFormat[j + 1] == '\'') {
            literal += '\'';
            j += 2;
            continue;
          }
          break;
        }
        literal += windowsFormat[j++];
      }
      if (j == i + 1 && j < windowsFormat.size()) literal += '\'';  // '' outside quotes
      i = j + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < windowsFormat.size() && windowsFormat[i + run] == c) ++run;
    const std::string field = Field(c, run);
    if (field.empty()) {
      literal.append(run, c);
    } else {
      AppendLiteral(format, literal);
      literal.clear();
      format += field;
    }
    i += run;
  }
  AppendLiteral(format, literal);
  return ToQString(format);
}
