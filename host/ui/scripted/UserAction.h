#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ui/DateTimeValue.h"

// The control an action is for, found as a user finds it: by its id, by its caption
// or the label in front of it, or as the control just above the one a caption names
// (ScriptedWindow::FindByCaption and FindAbove).
struct ControlRef {
  enum class By { Id, Caption, Above };
  By by = By::Id;
  int id = 0;
  std::string caption;

  static ControlRef WithId(int id) { return {By::Id, id, {}}; }
  static ControlRef Named(std::string caption) { return {By::Caption, 0, std::move(caption)}; }
  static ControlRef Above(std::string caption) { return {By::Above, 0, std::move(caption)}; }
};

// An entry of a list box or combo box: the one with exactly this text, the one at
// this index, or none at all.
struct EntryRef {
  enum class By { Text, Index, None };
  By by = By::None;
  int index = -1;
  std::string text;

  static EntryRef WithText(std::string text) { return {By::Text, -1, std::move(text)}; }
  static EntryRef AtIndex(int index) { return {By::Index, index, {}}; }
  static EntryRef Nothing() { return {}; }
};

// A row of a list view: the one whose first column is exactly the key, or the one
// at the index.
struct RowRef {
  std::optional<int> index;
  std::string key;
};

// What a user does, one struct per action of the script language
// (docs/script-language.md), so that a program drives the scripted backend with the
// same actions a script does, without writing script text.
namespace user {

struct SetText {
  ControlRef control;
  std::string text;
};
struct Click {
  ControlRef control;
};
// Marks or clears a check box, clicking only when needed; marks a radio button.
struct Check {
  ControlRef control;
  bool on = true;
};
struct Select {
  ControlRef control;
  EntryRef entry;
};
// Exactly these rows become selected; none clears the selection.
struct SelectRows {
  ControlRef control;
  std::vector<RowRef> rows;
};
struct PickDate {
  ControlRef control;
  DateTimeValue date;
};
struct PickYear {
  ControlRef control;
  int year = 0;
};
// The property sheet's page at the index, or with the title.
struct SwitchTab {
  std::optional<int> index;
  std::string title;
};
// OK, or Cancel.
struct Close {
  bool ok = false;
};
// The answer to the message box the action before opened: IDOK, IDCANCEL, IDYES
// or IDNO.
struct Answer {
  int button = 0;
};
// The file chosen in the chooser the action before opened; save: a save-file
// chooser is expected. A name without an ending gets the chooser's default one, as a
// person's typing does, unless asGiven: a program that names the exact file (the
// command line's) hands it on as it is, and the dialog's own rules judge it.
struct ChooseFile {
  std::string path;
  bool save = false;
  bool asGiven = false;
};
struct ExpectMessage {
  std::string text;
};
// Writes the control's state to the backend's output; added: the rows of a list
// view in the order they were added.
struct Print {
  ControlRef control;
  bool added = false;
};

}  // namespace user

using UserAction =
    std::variant<user::SetText, user::Click, user::Check, user::Select, user::SelectRows,
                 user::PickDate, user::PickYear, user::SwitchTab, user::Close, user::Answer,
                 user::ChooseFile, user::ExpectMessage, user::Print>;

// The action's word in the script language ("click", "save-as"), for messages.
const char* VerbOf(const UserAction& action);
