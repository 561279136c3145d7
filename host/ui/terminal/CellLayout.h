#pragma once

#include "ui/ControlTemplate.h"
#include "ui/DialogTemplate.h"

// A rectangle of character cells: x columns from the left, y rows from the top.
struct CellRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  bool Contains(int column, int row) const {
    return column >= x && column < Right() && row >= y && row < Bottom();
  }
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct CellPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CellPoint&, const CellPoint&) = default;
};

// Dialog units as character cells: a dialog unit is a quarter of the dialog font's
// average character width and an eighth of its height, so a cell is four units
// across and eight down, and every control keeps its place among the others.
inline constexpr int kUnitsPerColumn = 4;
inline constexpr int kUnitsPerRow = 8;

// The cells a dialog's client area needs.
CellRect DialogCells(const DialogTemplate& dialog);

// The cells a control takes. Edges are rounded to the nearest cell. A control of one
// line (an edit box, a button, a check box, a picker, a combo box whose template
// height includes its dropped-down list, a label of one line) takes the one row its
// middle falls on, so that a label and the box beside it, drawn a few units apart,
// share their row. Boxes (group boxes, lists) keep their height.
CellRect ControlCells(const ControlTemplate& control);
