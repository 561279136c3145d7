#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/ControlTemplate.h"
#include "ui/DateTimeValue.h"
#include "ui/backend/ItemListModel.h"
#include "ui/backend/ListViewModel.h"

// A list view column as added by the window's code.
struct ListViewColumn {
  std::string title;
  int width = 0;
  int format = LVCFMT_LEFT;

  friend bool operator==(const ListViewColumn&, const ListViewColumn&) = default;
};

// The in-memory state of one control of a scripted window.
struct ScriptedControl {
  explicit ScriptedControl(const ControlTemplate& control, const DateTimeValue& now);

  ControlTemplate info;
  std::string text;
  std::string cue;  // an edit box's hint while it is empty
  bool enabled;
  int check = BST_UNCHECKED;
  ItemListModel items;
  ListViewModel rows;
  std::vector<ListViewColumn> columns;
  unsigned extendedStyle = 0;
  DateTimeValue date;
  std::optional<DateTimeValue> earliest;
  std::optional<DateTimeValue> latest;
  std::string format;
};
