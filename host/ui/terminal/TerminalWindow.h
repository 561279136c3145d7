#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/DialogTemplate.h"
#include "ui/backend/UiEventSink.h"
#include "ui/backend/UiWindow.h"
#include "ui/backend/WindowRole.h"
#include "ui/model/ChangeTracker.h"
#include "ui/model/DialogNavigation.h"
#include "ui/terminal/CellLayout.h"
#include "ui/terminal/TerminalControl.h"
#include "ui/terminal/TerminalKey.h"

class Painter;
class TerminalListView;
class TerminalApplication;

// A window of the terminal backend: the controls of a dialog template at their
// cells, the focus, and the keyboard of a Windows dialog. A property page is shown
// by its sheet, a dialog by its own layer while RunModal runs.
//
// What the templates do not say, the window adds as the Qt backend does: each label
// names the control after it, and takes the focus there with Alt and its letter;
// buttons, check boxes, radio buttons and naming labels get mnemonics from the one
// shared assignment, so a window answers the same keys in both; a picker that no
// label names gets a label of its own above it ("Year:"); Delete in a list
// view presses the window's "Remove" or "Delete" button; after a command, the rows
// it added to a list or removed from it are told on the status line.
class TerminalWindow final : public UiWindow {
 public:
  TerminalWindow(const DialogTemplate& dialog, WindowRole role, UiEventSink& events,
                 TerminalApplication& app);
  ~TerminalWindow() override;
  TerminalWindow(const TerminalWindow&) = delete;
  TerminalWindow& operator=(const TerminalWindow&) = delete;

  const DialogTemplate& Template() const { return template_; }
  WindowRole Role() const { return role_; }
  TerminalApplication& App() const { return app_; }
  // The cells of its client area.
  CellRect Size() const { return size_; }
  // Where there are fewer columns than the template asks for, the blank margin at
  // the right of the controls is given up first, before the page scrolls.
  void FitWidth(int columns);
  const std::vector<std::unique_ptr<TerminalControl>>& Controls() const { return controls_; }
  TerminalControl* FindControl(int id) const;

  // Focus. Tab stops and radio groups are the shared DialogNavigation's.
  TerminalControl* Focused() const;
  int FocusedId() const;
  bool FocusFirst();
  bool FocusLast();
  // To the next (or previous) Tab stop; false, the focus unchanged, when there is
  // none after it (before it) and `wrap` is false.
  bool FocusNext(bool backwards, bool wrap);
  // Puts the focus on the control with the id, if it can take it; false if not.
  bool FocusControl(int id);

  // The keys the window handles itself or gives to the focused control: arrows in a
  // radio group, Delete in a list view, keys of the control. Tab, Enter and Escape
  // are the layer's. True when taken.
  bool HandleKey(const TerminalKey& key);
  void HandlePaste(std::u32string_view text);
  // Alt with the letter: the control whose mnemonic it is. False when none is.
  bool PressMnemonic(char letter);
  // Enter: the focused push button, else the default button, else IDOK.
  void PressEnter();
  bool FocusedIsButton() const;
  // Escape, or closing the window: a click on IDCANCEL.
  void PressCancel();

  void Draw(const Painter& painter, bool active) const;
  // The cells to keep in sight, and the cursor, for the focused control.
  std::optional<CellRect> FocusArea() const;
  std::optional<CellPoint> CursorAt() const;
  // The focused control's name and keys, for the status line.
  std::string Hints() const;

  // For controls: the user's action; the framework hears of it. False when the
  // window is gone afterwards, and then the caller touches nothing of it.
  bool UserNotify(int id, int notifyCode);
  void Tell(std::string text, bool beep);
  // The control that a label names, or null.
  TerminalControl* BuddyOf(const TerminalControl& label) const;
  // The name a user knows the control by (its label), for the status line.
  std::string NameOf(const TerminalControl& control) const;
  bool Ended() const { return ended_.has_value(); }
  // Whether the window changed since it was shown (ChangeTracker): its values of
  // the window's scope, a command that added or removed rows, a dialog opened from
  // it and confirmed after changes.
  void Shown();
  bool Changed() const;
  void MarkChanged() { changes_.MarkChanged(); }

  // UiWindow.
  void SetText(int id, std::string_view text) override;
  std::string Text(int id) const override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFocus(int id) override;
  std::optional<char32_t> UnstorableCharacter(int id) const override;
  void MarkWholeNumber(int id) override;
  void SetCueBanner(int id, std::string_view text) override;
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
  TerminalControl& Find(int id) const;
  template <class Control>
  Control& Require(int id, const char* what) const;
  void BuildControls();
  // Gives each picker that no label names a label of its own, after the template's
  // controls.
  void LabelPickers();
  void FindBuddies();
  void ChooseMnemonics();
  // The controls as the shared keyboard rules ask for them.
  ControlStates States() const;
  int IndexOf(const TerminalControl& control) const;
  void MoveFocus(int index);
  // Up and Down in a radio group: the next enabled button of the group, checked.
  bool MoveInRadioGroup(int delta);
  void ClickUnlessDisabled(int id);
  std::optional<int> RemoveButton() const;
  // The item chosen in each list box and combo box.
  std::vector<std::string> Choices() const;
  void PressDelete(TerminalListView& list);

  DialogTemplate template_;
  WindowRole role_;
  UiEventSink& events_;
  TerminalApplication& app_;
  CellRect size_;
  int templateWidth_ = 0;
  int contentRight_ = 0;
  std::vector<std::unique_ptr<TerminalControl>> controls_;
  std::map<int, TerminalControl*> byId_;
  DialogNavigation navigation_;
  std::map<int, int> buddyOf_;      // label index -> index of the control it names
  std::map<int, int> pickerLabel_;  // picker index -> index of the label it was given
  std::vector<TerminalListView*> listViews_;
  int focus_ = -1;
  ChangeTracker changes_;
  std::optional<int> ended_;
  std::shared_ptr<bool> alive_;
};
