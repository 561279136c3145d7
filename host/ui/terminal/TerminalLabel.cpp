#include "ui/terminal/TerminalLabel.h"

#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

bool TerminalLabel::TakesMnemonic() const { return Window().BuddyOf(*this) != nullptr; }

void TerminalLabel::Draw(const Painter& painter, bool) const {
  int mnemonic = -1;
  const std::u32string text = ShownCaption(TakesMnemonic() ? &mnemonic : nullptr);
  const CellRect& cells = Cells();
  const Look look = IsEnabled() ? Look::Plain : Look::Disabled;
  if (!IsEnabled()) mnemonic = -1;
  // Word by word into the rows it has; a word wider than a row is cut.
  std::size_t from = 0;
  for (int row = 0; row < cells.height && from < text.size(); ++row) {
    std::size_t end = from;
    int width = 0;
    std::size_t lastBreak = std::u32string::npos;
    while (end < text.size() && width + CellWidth(text[end]) <= cells.width) {
      if (text[end] == U' ') lastBreak = end;
      width += CellWidth(text[end]);
      ++end;
    }
    if (end < text.size() && row + 1 < cells.height && lastBreak != std::u32string::npos &&
        lastBreak > from)
      end = lastBreak;
    const std::u32string_view line = std::u32string_view(text).substr(from, end - from);
    int x = cells.x;
    if (Template().Has(ControlStyle::RightAlign)) x = cells.Right() - CellWidth(line);
    const int lineMnemonic = mnemonic >= static_cast<int>(from) && mnemonic < static_cast<int>(end)
                                 ? mnemonic - static_cast<int>(from)
                                 : -1;
    painter.Caption(x, cells.y + row, line, lineMnemonic, look, cells.width);
    from = end;
    while (from < text.size() && text[from] == U' ') ++from;
  }
}
