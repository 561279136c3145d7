#include "tool/output/Palette.h"

std::string Palette::Paint(std::string_view code, std::string_view text) const {
  if (!on_ || text.empty()) return std::string(text);
  std::string painted(code);
  painted += text;
  painted += "\033[m";
  return painted;
}
