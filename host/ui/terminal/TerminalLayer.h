#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/terminal/CellLayout.h"
#include "ui/terminal/Curses.h"
#include "ui/terminal/TerminalKey.h"

class Painter;
class TerminalWindow;

// One thing the terminal shows modally, above the ones before it: a property sheet,
// a dialog, a message box, a file chooser, a combo box's list. The app draws
// every layer, bottom first, and gives the keys to the top one until it is done.
class TerminalLayer {
 public:
  virtual ~TerminalLayer();

  // The cells it takes on a screen of the size (the status line not counted).
  virtual CellRect Place(int rows, int columns) = 0;
  // Draws into `painter`, whose cell (0, 0) is the layer's top left corner.
  virtual void Draw(const Painter& painter) = 0;
  // Where the hardware cursor sits, in the layer's cells: on the focused control.
  virtual std::optional<CellPoint> Cursor() const = 0;
  // What the status line says while the layer is on top: the focused control's name
  // and keys, then after "  |  " the layer's own keys, two blanks apart.
  virtual std::string Hints() const = 0;
  virtual void HandleKey(const TerminalKey& key) = 0;
  // Text pasted into the terminal, all at once.
  virtual void HandlePaste(std::u32string_view text) { (void)text; }
  virtual bool Done() const = 0;

  // The window is going away: the layer lets go of it.
  virtual void Forget(const TerminalWindow& window) { (void)window; }
  // The framework put the focus on a control of the window.
  virtual void WindowFocused(const TerminalWindow& window) { (void)window; }
  // A dialog opened from this layer was confirmed after changes.
  virtual void MarkChanged() {}
};
