#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tool/ToolArgs.h"
#include "ui/ControlTemplate.h"
#include "ui/ListViewRow.h"

class CPrivateProperty;
class Module;
class ScriptedWindow;

// What a password box shows: never its text.
enum class PasswordShown {
  Set,         // it holds a password
  Empty,       // it holds none
  Unreadable,  // it is empty, and the page's hint in it says the stored one is kept
};

// "set", "empty" or "unreadable, kept".
const char* PasswordWord(PasswordShown shown);

// One control of a page as the user sees it.
struct ShownControl {
  int id = 0;         // in the page's template: what a program acts on, never shown
  std::string label;  // as on the page, without shortcut marks and closing colon
  std::string group;  // the caption of the group box it sits in; "" for none
  ControlKind kind = ControlKind::Edit;
  bool enabled = true;
  std::optional<bool> checked;            // check boxes and radio buttons
  std::optional<std::string> text;        // any other input but a password box
  std::optional<PasswordShown> password;  // a password box
  // Only to tell whether two password boxes hold the same; never shown.
  std::string secret;

  // Whether the user would see a difference between the two: a password box compared
  // by what it holds.
  bool ShowsSameAs(const ShownControl& other) const;
};

// The holidays of one currency as the holiday setting dialog lists them: date key
// and remark, in date key order.
struct ShownCurrency {
  std::string currency;
  std::vector<ListViewRow> holidays;
};

// A configuration as its page shows it. Stored texts are as stored (ISO-8859-1).
struct ConfigurationView {
  std::string title;                   // the page's
  std::vector<ShownControl> controls;  // in the page's order
  // The handler's holiday calendar, as its holiday setting dialog shows it, in the
  // order the dialog lists the currencies; none for a record set.
  std::optional<std::vector<ShownCurrency>> calendar;
};

// Opens the page of the kind for bag without a window, as the user would see it,
// and, for a handler, its holiday setting dialog, and reads what they show: the
// labels and values of the controls, found through the page's own template. The bag
// is left as it is.
// Without withCalendar the holiday calendar is left unread (calendar stays empty).
ConfigurationView ViewConfiguration(Module& module, ConfigKind kind, CPrivateProperty& bag,
                                    bool withCalendar = true);

// What the open window shows: every control but labels, buttons and group boxes.
std::vector<ShownControl> ShownControls(const ScriptedWindow& window);
