#pragma once

#include <cstdint>
#include <string>

#include "ui/WinConstants.h"

// What a control of a dialog template is.
enum class ControlKind {
  Label,           // static text; a label names the control that follows it
  GroupBox,        // a frame with a caption around other controls
  PushButton,      // sends BN_CLICKED
  CheckBox,        // toggles its mark when clicked, then sends BN_CLICKED
  RadioButton,     // see ControlStyle::AutoRadio
  Edit,            // one line of text; sends EN_CHANGE when the user edits it
  ComboBox,        // items with attached numbers; CBN_SELCHANGE, CBN_EDITCHANGE
  ListBox,         // single-selection list of texts; LBN_SELCHANGE with Notify
  ListView,        // rows of column texts, report mode; LVN_ITEMCHANGED
  DateTimePicker,  // a date (and time); DTN_DATETIMECHANGE
};

// Style flags of a control; which ones apply depends on the kind.
struct ControlStyle {
  static constexpr std::uint32_t None = 0;
  // Every kind.
  static constexpr std::uint32_t Disabled = 1u << 0;
  // Starts a new radio group. A radio group is a run of radio buttons in template
  // order; labels and frames between them leave it whole, and it ends at any other
  // control that takes the focus or at the next control with this flag (see
  // DialogNavigation).
  static constexpr std::uint32_t Group = 1u << 1;
  // Push button: pressed by the Enter key.
  static constexpr std::uint32_t DefaultButton = 1u << 2;
  // Radio button: a click marks it and clears the others of its group. Without this
  // flag a click only notifies, and the page sets the marks itself.
  static constexpr std::uint32_t AutoRadio = 1u << 3;
  // Edit: masked input.
  static constexpr std::uint32_t Password = 1u << 4;
  // Edit: the user cannot change the text.
  static constexpr std::uint32_t ReadOnly = 1u << 5;
  // List box, combo box: the list keeps its items in byte-wise ascending order.
  static constexpr std::uint32_t Sorted = 1u << 6;
  // List box: sends LBN_SELCHANGE when the user changes the selection.
  static constexpr std::uint32_t Notify = 1u << 7;
  // List box, combo box, list view: a vertical scroll bar.
  static constexpr std::uint32_t VScroll = 1u << 8;
  // Combo box: an editable text field above the list. Without it the combo box is
  // a drop-down list whose text is always the selected item's.
  static constexpr std::uint32_t DropDown = 1u << 9;
  // List view: rows stay in ascending byte-wise order of their first column.
  static constexpr std::uint32_t SortAscending = 1u << 10;
  // List view: one row at most can be selected (default: several).
  static constexpr std::uint32_t SingleSelection = 1u << 11;
  // List view: the selection stays visible when the list has no focus.
  static constexpr std::uint32_t ShowSelAlways = 1u << 12;
  // Date-time picker: spin buttons instead of a drop-down calendar.
  static constexpr std::uint32_t UpDown = 1u << 13;
  // Label: text aligned to the right of its rectangle.
  static constexpr std::uint32_t RightAlign = 1u << 14;
};

// A rectangle in dialog units: x and width in quarters, y and height in eighths of
// the dialog font's average character cell.
struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  friend bool operator==(const DluRect&, const DluRect&) = default;
};

// One control of a dialog template. Labels and group boxes use IDC_STATIC unless
// the dialog addresses them.
struct ControlTemplate {
  int id = IDC_STATIC;
  ControlKind kind = ControlKind::Label;
  std::string caption;
  DluRect rect;
  std::uint32_t style = ControlStyle::None;

  bool Has(std::uint32_t flags) const { return (style & flags) == flags; }
};

// A short lower-case name of the kind for messages, for example "list view".
const char* ControlKindName(ControlKind kind);

// Whether the user types into a control of the kind or picks from it (an edit box, a
// list or a picker), and so knows it by the label in front of it rather than by a
// caption of its own.
bool IsInputKind(ControlKind kind);
