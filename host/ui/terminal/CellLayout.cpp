#include "ui/terminal/CellLayout.h"

#include <algorithm>

namespace {

int NearestColumn(int units) { return (units + kUnitsPerColumn / 2) / kUnitsPerColumn; }
int NearestRow(int units) { return (units + kUnitsPerRow / 2) / kUnitsPerRow; }

// Taller than this, a label wraps over the rows it has.
constexpr int kOneLineLabel = 12;
// A one-line box of the templates: combo boxes count their list in their height.
constexpr int kOneLineBox = 14;

bool OneLine(const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::GroupBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
      return false;
    case ControlKind::Label:
      return control.rect.height <= kOneLineLabel;
    default:
      return true;
  }
}

}  // namespace

CellRect DialogCells(const DialogTemplate& dialog) {
  return {0, 0, (std::max(dialog.width, 0) + kUnitsPerColumn - 1) / kUnitsPerColumn,
          (std::max(dialog.height, 0) + kUnitsPerRow - 1) / kUnitsPerRow};
}

CellRect ControlCells(const ControlTemplate& control) {
  const DluRect& r = control.rect;
  CellRect cells;
  cells.x = NearestColumn(r.x);
  cells.width = std::max(1, NearestColumn(r.Right()) - cells.x);
  if (OneLine(control)) {
    cells.y = (r.y + std::min(r.height, kOneLineBox) / 2) / kUnitsPerRow;
    cells.height = 1;
  } else {
    cells.y = NearestRow(r.y);
    const int least = control.kind == ControlKind::Label ? 1 : 3;
    cells.height = std::max(least, NearestRow(r.Bottom()) - cells.y);
  }
  return cells;
}
