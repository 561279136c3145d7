#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "kelo/pages/ModuleDialogTemplates.h"
#include "ui/backend/MnemonicAssignment.h"
#include "ui/backend/PickerLabel.h"
#include "ui/terminal/CellLayout.h"

namespace {

std::string Where(const ControlTemplate& control) {
  const CellRect c = ControlCells(control);
  return std::string(ControlKindName(control.kind)) + " " + std::to_string(control.id) + " \"" +
         control.caption + "\" at " + std::to_string(c.x) + "," + std::to_string(c.y) + " " +
         std::to_string(c.width) + "x" + std::to_string(c.height);
}

bool Overlap(const CellRect& a, const CellRect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

bool Inside(const DluRect& inner, const DluRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

// The columns the terminal needs for the caption as its kind shows it.
int CaptionColumns(const ControlTemplate& control) {
  const int text = static_cast<int>(CaptionWithoutMarks(control.caption).size());
  switch (control.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return text + 4;  // "[x] "
    case ControlKind::PushButton:
      return text + 2;  // "[" and "]"
    case ControlKind::Label:
      return ControlCells(control).height == 1 ? text : 0;
    case ControlKind::GroupBox:
      return text + 4;  // the corner, a blank each side, and the corner
    default:
      return 0;
  }
}

// Every page and dialog of the module, in character cells, keeps its arrangement:
// each control inside the dialog, none over another, each in the frame of the group
// box around it (never on its lines), each caption whole, and each label on the row
// of the box it names.
TEST(PageLayoutTerminal, EveryTemplateKeepsItsArrangementInCells) {
  for (const DialogTemplate& dialog : kelo::ModuleDialogTemplates()) {
    SCOPED_TRACE(dialog.title);
    const CellRect size = DialogCells(dialog);
    const std::vector<ControlTemplate>& controls = dialog.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const ControlTemplate& control = controls[i];
      const CellRect cells = ControlCells(control);
      EXPECT_TRUE(cells.x >= 0 && cells.y >= 0 && cells.Right() <= size.width &&
                  cells.Bottom() <= size.height)
          << Where(control) << " reaches outside " << size.width << "x" << size.height;
      EXPECT_LE(CaptionColumns(control), cells.width) << Where(control) << " cuts its caption";
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const ControlTemplate& other = controls[j];
        if (control.kind == ControlKind::GroupBox || other.kind == ControlKind::GroupBox) continue;
        EXPECT_FALSE(Overlap(cells, ControlCells(other)))
            << Where(control) << " overlaps " << Where(other);
      }
      if (control.kind == ControlKind::GroupBox) {
        for (const ControlTemplate& held : controls) {
          if (&held == &control || held.kind == ControlKind::GroupBox ||
              !Inside(held.rect, control.rect))
            continue;
          const CellRect inner{cells.x + 1, cells.y + 1, cells.width - 2, cells.height - 2};
          const CellRect heldCells = ControlCells(held);
          EXPECT_TRUE(heldCells.x >= inner.x && heldCells.y >= inner.y &&
                      heldCells.Right() <= inner.Right() && heldCells.Bottom() <= inner.Bottom())
              << Where(held) << " is not inside the frame of " << Where(control);
        }
      }
      if (control.id != IDC_STATIC && IsInputKind(control.kind)) {
        const ControlTemplate* label = dialog.LabelFor(control.id);
        if (label != nullptr && label->rect.Right() <= control.rect.x &&
            ControlCells(control).height == 1) {
          EXPECT_EQ(ControlCells(*label).y, cells.y)
              << Where(*label) << " names " << Where(control);
        }
      }
    }
  }
}

// A picker that no label names is given one on the line above it; in cells, too,
// that line is free and inside the dialog, and every picker of the module's dialogs
// gets its label.
TEST(PageLayoutTerminal, APickersOwnLabelFindsItsLineFree) {
  int labelled = 0;
  for (const DialogTemplate& dialog : kelo::ModuleDialogTemplates()) {
    SCOPED_TRACE(dialog.title);
    std::vector<ControlTemplate> taken = dialog.controls;
    for (const ControlTemplate& picker : dialog.controls) {
      if (picker.kind != ControlKind::DateTimePicker ||
          (picker.id != IDC_STATIC && dialog.LabelFor(picker.id) != nullptr))
        continue;
      const std::optional<DluRect> place = PickerLabelPlace(picker.rect, taken);
      ASSERT_TRUE(place) << Where(picker) << " has no room for its label";
      const ControlTemplate label{IDC_STATIC, ControlKind::Label, "Date and time:", *place};
      const CellRect cells = ControlCells(label);
      EXPECT_LT(cells.y, ControlCells(picker).y) << Where(label);
      EXPECT_GE(cells.y, 0) << Where(label);
      for (const ControlTemplate& other : taken) {
        if (other.kind != ControlKind::GroupBox) {
          EXPECT_FALSE(Overlap(cells, ControlCells(other)))
              << Where(label) << " overlaps " << Where(other);
        }
      }
      taken.push_back(label);
      ++labelled;
    }
  }
  EXPECT_EQ(labelled, 2);  // the holiday dialog's date and year
}

}  // namespace
