#include <gtest/gtest.h>

#include "ui/terminal/CellLayout.h"

namespace {

using K = ControlKind;

// Dialog units to cells: four across and eight down to a cell, edges to the
// nearest cell, a one-line control on the row its middle falls on.
TEST(CellLayout, MapsDialogUnitsToCells) {
  struct Case {
    const char* what;
    ControlTemplate control;
    CellRect cells;
  };
  const Case cases[] = {
      {"a label", {-1, K::Label, "Address:", {39, 63, 40, 8}}, {10, 8, 10, 1}},
      {"the edit box beside it, a few units higher, shares its row",
       {10, K::Edit, "", {82, 60, 108, 14}},
       {21, 8, 27, 1}},
      {"a check box", {11, K::CheckBox, "Enable", {15, 19, 90, 10}}, {4, 3, 22, 1}},
      {"a combo box whose height counts its list takes one row at its top",
       {12, K::ComboBox, "", {94, 38, 211, 90}},
       {24, 5, 52, 1}},
      {"a group box keeps its height", {-1, K::GroupBox, "Proxy", {7, 7, 272, 76}}, {2, 1, 68, 9}},
      {"a list keeps its height", {13, K::ListView, "", {180, 17, 163, 186}}, {45, 2, 41, 23}},
      {"a tall label wraps over its rows",
       {-1, K::Label, "Two lines", {5, 40, 40, 18}},
       {1, 5, 10, 2}},
      {"nothing is less than a cell", {14, K::PushButton, "", {0, 0, 1, 1}}, {0, 0, 1, 1}},
      {"a list is never less than its frame", {15, K::ListBox, "", {0, 0, 20, 4}}, {0, 0, 5, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ControlCells(c.control), c.cells);
  }
  DialogTemplate dialog;
  dialog.width = 350;
  dialog.height = 251;
  EXPECT_EQ(DialogCells(dialog), (CellRect{0, 0, 88, 32}));
}

}  // namespace
