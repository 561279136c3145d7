#pragma once

#include <QBoxLayout>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ui/DialogTemplate.h"
#include "ui/backend/UiEventSink.h"
#include "ui/backend/UiWindow.h"
#include "ui/backend/WindowRole.h"
#include "ui/model/DialogNavigation.h"
#include "ui/qt/DeferredError.h"
#include "ui/qt/DialogUnitScale.h"
#include "ui/qt/NotifyChannel.h"
#include "ui/qt/QtControl.h"

class HostDialog;
class LiveStatus;

// A window of the Qt backend: real widgets built from a dialog template, placed at
// their template rectangles converted to pixels with the dialog font's base units.
// Dialogs are a QDialog of their own, which scrolls its controls when the screen is
// too small for them, its last row of buttons staying in sight below, and may be
// resized; a property page is a plain widget that the sheet shows in a tab. A group
// box is the parent of the controls in its frame, as a screen reader should see it. Besides the
// framework's operations it offers its widgets, for tests and pictures.
//
// What a person needs of a window, the templates do not say, so the window adds it
// from what they do say: each input is named, for a screen reader, by the label in
// front of it (its buddy; a picker no label names by a label of the window's own
// saying what it holds, "Date:" or "Year:", the only input of a window by the
// window's title), and described by the hint beside it (DialogTemplate::
// DescriptionFor); every button, check box, radio button and buddy label gets a
// mnemonic unique in its window, its caption's own where it has one (see
// ChooseMnemonics); Alt with a letter never types into a field; the Delete key in a
// list view presses the window's "Remove" or "Delete" button.
//
// What a click of the user's added to or removed from a list view is announced to
// a screen reader ("12 holidays added", "All 95000 holidays removed"), in the words
// of the list's name; a command that showed other rows (an item of a list chosen
// from code, or the rows replaced whole) added and removed nothing.
class QtUiWindow final : public UiWindow, private NotifyChannel::CommandWatch {
 public:
  // `parent` (may be null) is the widget the new dialog stays in front of.
  QtUiWindow(const DialogTemplate& dialog, WindowRole role, QWidget* parent, UiEventSink& events,
             DeferredError& errors);
  ~QtUiWindow() override;
  QtUiWindow(const QtUiWindow&) = delete;
  QtUiWindow& operator=(const QtUiWindow&) = delete;

  const DialogTemplate& Template() const { return template_; }
  WindowRole Role() const { return role_; }
  const DialogUnitScale& Scale() const { return scale_; }
  // The dialog, or the page widget.
  QWidget& TopWidget() const { return *top_; }
  // The widget the controls are placed on: the page widget, or the one the dialog
  // scrolls. A group box holds the controls inside its frame, and a dialog's last
  // row of buttons stays below what scrolls (see DialogTemplate::ButtonRow).
  QWidget& Canvas() const { return *canvas_; }
  // Where the widget of a control is, in pixels from the top left of the template's
  // whole area, whichever widget holds it.
  QRect Place(const QWidget& widget) const;
  // Every control, in template order.
  const std::vector<std::unique_ptr<QtControl>>& Controls() const { return controls_; }
  // The widget of the control with the id, or null when the window has none.
  QWidget* ControlWidget(int id) const;
  // True while RunModal runs.
  bool IsRunning() const { return running_; }
  // Moves the focus to the first control the Tab key reaches; false when none does.
  bool FocusFirstField();
  // Where the window says what a screen reader should hear of the user's doing.
  LiveStatus& Status() const { return *status_; }
  // The window whose widgets hold the widget, or null.
  static QtUiWindow* Holding(const QWidget* widget);
  // Says why nothing happened when the framework only sounds a beep, where the
  // focus makes it clear: on a list with nothing chosen.
  void SayRefused();

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
  QtControl& Find(int id) const;
  // The control as the class its kind is built with; std::logic_error naming the id
  // and the kind when it is not one.
  template <class Control>
  Control& Require(int id, const char* what) const;
  void BuildControls();
  // What the window holds now, for the keyboard's rules.
  ControlStates States() const;
  // An arrow key on the radio button at the index.
  void MoveByArrow(int index, int step);
  // Gives the Tab stops of the radio group to the buttons that should have them.
  void PlaceTabStops(std::size_t group);
  // The widget that holds the control at the index, and where that widget is.
  QWidget& HolderOf(std::size_t index, QPoint& origin) const;
  // Where a widget that holds controls (the canvas, a group box, the button row) has
  // its top left, in the template's area.
  QPoint OriginOf(const QWidget* holder) const;
  void SetPlace(QWidget& widget, const QRect& place) const;
  // The last row of buttons of a dialog, below the scroll area; none for a page.
  void MakeButtonRow(QBoxLayout& layout);
  // Accessible descriptions from the hints beside the controls.
  void DescribeControls();
  // What the template leaves to the window: names, mnemonics, keys.
  void NameInputs();
  // A label of the window's own for a picker the template names by none, above it
  // where nothing else is.
  void LabelPicker(QtControl& picker);
  void ChooseMnemonics();
  void GuardKeys();
  void CommandStarts() override;
  void CommandEnded() override;
  // Widens a label, check box or radio button whose caption the dialog font cannot
  // show in the template's rectangle, into room no other control takes.
  void FitCaption(QtControl& control);
  void OnEnter();
  void OnCancel();
  // Sends a click of the button unless the window has it disabled.
  void ClickUnlessDisabled(int id);
  // The id of the button that removes what a list has selected, or none.
  std::optional<int> RemoveButton() const;

  DialogTemplate template_;
  DialogNavigation navigation_;
  WindowRole role_;
  DeferredError& errors_;
  std::shared_ptr<NotifyChannel> channel_;
  DialogUnitScale scale_;
  QPointer<QWidget> top_;
  QWidget* canvas_ = nullptr;
  // The buttons of the last row, and where its widget is in the template's area.
  QWidget* buttonRow_ = nullptr;
  QPoint buttonRowOrigin_;
  std::vector<std::size_t> buttonRowIndexes_;
  HostDialog* dialog_ = nullptr;  // top_, for the dialog roles
  std::unique_ptr<LiveStatus> status_;
  std::vector<std::unique_ptr<QtControl>> controls_;
  std::map<int, QtControl*> byId_;
  bool running_ = false;
  // While a command of the user's runs: whether it chose an item of a list from code.
  bool inCommand_ = false;
  bool commandChoseItem_ = false;
  std::optional<int> endedEarly_;
};
