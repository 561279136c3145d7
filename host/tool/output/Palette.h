#pragma once

#include <string>
#include <string_view>

// The colours of a review on a terminal, git's own: a file's header bold, a section's
// header cyan, what goes away red and what comes green. A plain palette paints
// nothing, so text output is the same bytes as without colour. Text is painted after
// it was escaped (TextEscape.h), so no name can carry a colour code of its own.
class Palette {
 public:
  Palette() = default;
  static Palette Colored() { return Palette(true); }

  bool On() const { return on_; }
  std::string Header(std::string_view text) const { return Paint("\033[1m", text); }
  std::string Section(std::string_view text) const { return Paint("\033[36m", text); }
  std::string Old(std::string_view text) const { return Paint("\033[31m", text); }
  std::string New(std::string_view text) const { return Paint("\033[32m", text); }

 private:
  explicit Palette(bool on) : on_(on) {}
  std::string Paint(std::string_view code, std::string_view text) const;

  bool on_ = false;
};
