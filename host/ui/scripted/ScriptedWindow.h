#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DialogTemplate.h"
#include "ui/backend/UiEventSink.h"
#include "ui/backend/UiWindow.h"
#include "ui/backend/WindowRole.h"
#include "ui/scripted/ScriptedControl.h"

class ScriptedBackend;

// A window of the scripted backend: its controls in memory. Besides the framework's
// operations it offers what a user does to it (the User* operations, each of which
// changes the control and then notifies as the toolkit would) and a look at
// everything it holds, for scripts and tests.
class ScriptedWindow : public UiWindow {
 public:
  ScriptedWindow(ScriptedBackend& backend, const DialogTemplate& dialog, WindowRole role,
                 UiEventSink& events, const DateTimeValue& now);
  ~ScriptedWindow() override;
  ScriptedWindow(const ScriptedWindow&) = delete;
  ScriptedWindow& operator=(const ScriptedWindow&) = delete;

  const DialogTemplate& Template() const { return template_; }
  WindowRole Role() const { return role_; }
  bool HasEnded() const { return ended_; }
  int Result() const { return result_; }
  int FocusedControl() const { return focus_; }

  bool HasControl(int id) const;
  // The state of a control; std::logic_error for an id the window lacks.
  const ScriptedControl& Control(int id) const;
  // The id of the control a caption names, by the template's naming rule
  // (DialogTemplate::IsNamed): a button, check box, radio button or group box with
  // that caption, else the input the label with that caption stands in front of;
  // shortcut marks and the closing colon may be left out. Nothing when no control
  // matches.
  std::optional<int> FindByCaption(std::string_view caption) const;
  // The id of the control just above the one the caption names, for a control that
  // has no label of its own: the nearest one whose rectangle ends above that
  // control's and overlaps it from left to right. Labels and group boxes do not count.
  std::optional<int> FindAbove(std::string_view caption) const;

  // Items, rows and the row order of insertion, for looking at.
  std::vector<std::string> Items(int id) const;
  std::vector<ListViewRow> Rows(int id) const;
  std::vector<ListViewRow> RowsInInsertionOrder(int id) const;

  // The user's actions. Each throws UserActionError, changing nothing, when the
  // control is disabled, does not take the action, or lacks the entry asked for.
  // A text typed into an edit or a combo box's text field (EN_CHANGE,
  // CBN_EDITCHANGE; a combo box then selects the item equal to the text, if any).
  void UserSetText(int id, std::string_view text);
  // A click on a button (BN_CLICKED): a check box toggles, an automatic radio button
  // marks itself and clears its group, a plain radio button changes nothing.
  void UserClick(int id);
  // A list box or combo box entry, -1 for none (LBN_SELCHANGE with Notify,
  // CBN_SELCHANGE). Sent even when the entry was already selected.
  void UserSelectItem(int id, int index);
  // Exactly these rows of a list view become selected (LVN_ITEMCHANGED).
  void UserSelectRows(int id, std::span<const int> rows);
  // A date of a picker, keeping the time of day; the date must lie in the range
  // (DTN_DATETIMECHANGE).
  void UserPickDate(int id, const DateTimeValue& date);
  // A year of a picker, keeping month and day (29 February becomes the 28th in other
  // years); the year must lie in the range, and the value is then moved into it.
  void UserPickYear(int id, int year);
  // A click on IDOK or IDCANCEL, whether or not the template has the button.
  void UserCloseWith(int buttonId);

  // UiWindow.
  void SetText(int id, std::string_view text) override;
  void SetCueBanner(int id, std::string_view text) override;
  std::string Text(int id) const override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFocus(int id) override;
  void SetCheck(int id, int state) override;
  int Check(int id) const override;
  int AddItem(int id, std::string_view text) override;
  int InsertItem(int id, int index, std::string_view text) override;
  void DeleteItem(int id, int index) override;
  void ResetItems(int id) override;
  int ItemCount(int id) const override;
  std::string ItemText(int id, int index) const override;
  void SetItemData(int id, int index, std::uintptr_t data) override;
  std::uintptr_t ItemData(int id, int index) const override;
  int Selection(int id) const override;
  void SetSelection(int id, int index) override;
  void AddColumn(int id, std::string_view title, int width, int format) override;
  unsigned ExtendedStyle(int id) const override;
  void SetExtendedStyle(int id, unsigned style) override;
  int InsertRow(int id, int index, const ListViewRow& row) override;
  void InsertRows(int id, std::span<const ListViewRow> rows) override;
  void SetCellText(int id, int row, int column, std::string_view text) override;
  std::string CellText(int id, int row, int column) const override;
  int RowCount(int id) const override;
  void DeleteRows(int id, std::span<const int> rows) override;
  void DeleteAllRows(int id) override;
  std::vector<int> SelectedRows(int id) const override;
  int SelectedRowCount(int id) const override;
  void SetRowSelected(int id, int row, bool selected) override;
  int FindRowByPrefix(int id, std::string_view prefix, int start) const override;
  DateTimeValue DateTime(int id) const override;
  void SetDateTime(int id, const DateTimeValue& value) override;
  void SetDateTimeRange(int id, const std::optional<DateTimeValue>& earliest,
                        const std::optional<DateTimeValue>& latest) override;
  void SetDateTimeFormat(int id, std::string_view format) override;
  int RunModal() override;
  void EndModal(int result) override;

 private:
  ScriptedControl& Find(int id);
  const ScriptedControl& Find(int id) const;
  // The control, when it is of one of the kinds; std::logic_error otherwise.
  ScriptedControl& Require(int id, std::initializer_list<ControlKind> kinds, const char* what);
  const ScriptedControl& Require(int id, std::initializer_list<ControlKind> kinds,
                                 const char* what) const;
  // The control for a user action: present, enabled, of one of the kinds.
  ScriptedControl& Usable(int id, std::initializer_list<ControlKind> kinds, const char* action);
  void Notify(int id, int code);
  std::size_t IndexOf(const ScriptedControl& control) const;

  ScriptedBackend& backend_;
  DialogTemplate template_;
  WindowRole role_;
  UiEventSink& events_;
  std::vector<ScriptedControl> controls_;
  std::map<int, std::size_t> byId_;
  bool ended_ = false;
  int result_ = IDCANCEL;
  int focus_ = 0;
};
