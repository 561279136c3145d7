#pragma once

#include <optional>

#include "ui/terminal/CellLayout.h"

class Painter;
class TerminalWindow;

// A window's client area seen through a viewport smaller than it, when the terminal
// is: it scrolls as little as it can to keep the focused control in sight (at least
// the row the cursor is on), and marks the edges beyond which there is more. When
// the viewport grows taller, it scrolls up as far as the focus allows, so that what
// comes into sight is the window above, not blank rows below its controls.
class ScrolledView {
 public:
  // Scrolls for the window's focus and a viewport of the size.
  void Follow(const TerminalWindow& window, int width, int height);
  void Draw(const Painter& painter, const CellRect& viewport, const TerminalWindow& window,
            bool active) const;
  // Arrows on the frame round the viewport where the client area goes on.
  void DrawMarks(const Painter& painter, const CellRect& frame, const TerminalWindow& window,
                 const CellRect& viewport) const;
  // The cursor in the layer's cells; none when the focus is out of sight.
  std::optional<CellPoint> Cursor(const TerminalWindow& window, const CellRect& viewport) const;

 private:
  int x_ = 0;
  int y_ = 0;
  int height_ = 0;
};
