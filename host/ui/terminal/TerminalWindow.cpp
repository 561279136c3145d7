#include "ui/terminal/TerminalWindow.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "ui/backend/PickerLabel.h"
#include "ui/terminal/DialogLayer.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"
#include "ui/terminal/TerminalButton.h"
#include "ui/terminal/TerminalCheck.h"
#include "ui/terminal/TerminalComboBox.h"
#include "ui/terminal/TerminalEdit.h"
#include "ui/terminal/TerminalGroupBox.h"
#include "ui/terminal/TerminalItemList.h"
#include "ui/terminal/TerminalLabel.h"
#include "ui/terminal/TerminalListBox.h"
#include "ui/terminal/TerminalListView.h"
#include "ui/terminal/TerminalPicker.h"

namespace {

std::unique_ptr<TerminalControl> MakeControl(const ControlTemplate& control,
                                             TerminalWindow& window) {
  switch (control.kind) {
    case ControlKind::Label:
      return std::make_unique<TerminalLabel>(control, window);
    case ControlKind::GroupBox:
      return std::make_unique<TerminalGroupBox>(control, window);
    case ControlKind::PushButton:
      return std::make_unique<TerminalButton>(control, window);
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return std::make_unique<TerminalCheck>(control, window);
    case ControlKind::Edit:
      return std::make_unique<TerminalEdit>(control, window);
    case ControlKind::ComboBox:
      return std::make_unique<TerminalComboBox>(control, window);
    case ControlKind::ListBox:
      return std::make_unique<TerminalListBox>(control, window);
    case ControlKind::ListView:
      return std::make_unique<TerminalListView>(control, window);
    case ControlKind::DateTimePicker:
      return std::make_unique<TerminalPicker>(control, window);
  }
  throw std::logic_error("control " + std::to_string(control.id) + " is of no known kind");
}

constexpr const char* kCheckWhat = "a check box or radio button";
constexpr const char* kItemWhat = "a list box or combo box";
constexpr const char* kListViewWhat = "a list view";
constexpr const char* kPickerWhat = "a date-time picker";
constexpr const char* kEditWhat = "an edit box";

// The caption of a picker's own label.
std::string PickerCaption(PickerParts parts) {
  return PickerHolds(parts != PickerParts::Year, parts == PickerParts::DateAndTime,
                     parts == PickerParts::Year) +
         ":";
}

}  // namespace

TerminalWindow::TerminalWindow(const DialogTemplate& dialog, WindowRole role, UiEventSink& events,
                               TerminalApplication& app)
    : template_(dialog),
      role_(role),
      events_(events),
      app_(app),
      size_(DialogCells(dialog)),
      navigation_(template_.controls),
      alive_(std::make_shared<bool>(true)) {
  BuildControls();
  FindBuddies();
  ChooseMnemonics();
  templateWidth_ = size_.width;
  for (const std::unique_ptr<TerminalControl>& control : controls_)
    contentRight_ = std::max(contentRight_, control->Cells().Right());
}

void TerminalWindow::FitWidth(int columns) {
  size_.width =
      std::max(std::min(templateWidth_, columns), std::min(contentRight_, templateWidth_));
}

TerminalWindow::~TerminalWindow() {
  *alive_ = false;
  app_.Forget(*this);
}

void TerminalWindow::BuildControls() {
  controls_.reserve(template_.controls.size());
  for (const ControlTemplate& control : template_.controls) {
    controls_.push_back(MakeControl(control, *this));
    TerminalControl* made = controls_.back().get();
    if (control.id != IDC_STATIC) byId_.try_emplace(control.id, made);
    if (control.kind == ControlKind::ListView)
      listViews_.push_back(static_cast<TerminalListView*>(made));
  }
  for (const std::vector<int>& members : navigation_.Groups()) {
    std::vector<TerminalCheck*> group;
    for (int index : members)
      group.push_back(
          static_cast<TerminalCheck*>(controls_[static_cast<std::size_t>(index)].get()));
    for (TerminalCheck* radio : group) radio->SetGroup(group);
  }
  LabelPickers();
}

void TerminalWindow::LabelPickers() {
  std::vector<ControlTemplate> taken = template_.controls;
  for (std::size_t i = 0; i < template_.controls.size(); ++i) {
    const ControlTemplate& control = template_.controls[i];
    if (control.kind != ControlKind::DateTimePicker) continue;
    if (control.id != IDC_STATIC && template_.LabelFor(control.id) != nullptr) continue;
    const std::optional<DluRect> place = PickerLabelPlace(control.rect, taken);
    if (!place) continue;
    const auto& picker = static_cast<const TerminalPicker&>(*controls_[i]);
    taken.push_back({IDC_STATIC, ControlKind::Label, PickerCaption(picker.Parts()), *place});
    controls_.push_back(std::make_unique<TerminalLabel>(taken.back(), *this));
    pickerLabel_[static_cast<int>(i)] = static_cast<int>(controls_.size() - 1);
  }
}

void TerminalWindow::FindBuddies() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const TerminalControl& control = *controls_[i];
    if (!IsInputKind(control.Kind()) || control.Id() == IDC_STATIC) continue;
    const ControlTemplate* label = template_.LabelFor(control.Id());
    if (label == nullptr) continue;
    buddyOf_[static_cast<int>(label - template_.controls.data())] = static_cast<int>(i);
  }
  for (const auto& [picker, label] : pickerLabel_) buddyOf_[label] = picker;
}

// The same takers in the same order as the Qt backend gives the shared assignment,
// so that both backends answer the same letters.
void TerminalWindow::ChooseMnemonics() {
  std::vector<TerminalControl*> takers;
  std::vector<MnemonicTaker> captions;
  for (const std::unique_ptr<TerminalControl>& control : controls_) {
    if (!control->TakesMnemonic()) continue;
    takers.push_back(control.get());
    captions.push_back({control->Kind(), control->Id(), control->Text()});
  }
  const std::vector<MnemonicPlace> chosen = AssignWindowMnemonics(captions, role_);
  for (std::size_t i = 0; i < takers.size(); ++i) takers[i]->SetMnemonic(chosen[i]);
}

TerminalControl* TerminalWindow::BuddyOf(const TerminalControl& label) const {
  const auto found = buddyOf_.find(IndexOf(label));
  return found == buddyOf_.end() ? nullptr
                                 : controls_[static_cast<std::size_t>(found->second)].get();
}

int TerminalWindow::IndexOf(const TerminalControl& control) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i].get() == &control) return static_cast<int>(i);
  return -1;
}

std::string TerminalWindow::NameOf(const TerminalControl& control) const {
  if (control.Kind() == ControlKind::DateTimePicker &&
      (control.Id() == IDC_STATIC || template_.LabelFor(control.Id()) == nullptr))
    return DialogTemplate::ShownCaption(
        PickerCaption(static_cast<const TerminalPicker&>(control).Parts()));
  if (control.Id() == IDC_STATIC) return DialogTemplate::ShownCaption(control.Text());
  if (!IsInputKind(control.Kind())) return DialogTemplate::ShownCaption(control.Text());
  if (template_.LabelFor(control.Id()) == nullptr) {
    // The one input of a window is what the window is about.
    int inputs = 0;
    for (const auto& other : controls_) inputs += IsInputKind(other->Kind()) ? 1 : 0;
    return inputs == 1 ? template_.title : std::string();
  }
  return template_.FieldName(control.Id());
}

TerminalControl* TerminalWindow::FindControl(int id) const {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

TerminalControl& TerminalWindow::Find(int id) const {
  TerminalControl* control = FindControl(id);
  if (control == nullptr) {
    throw std::logic_error("dialog " + std::to_string(template_.id) + " has no control " +
                           std::to_string(id));
  }
  return *control;
}

template <class Control>
Control& TerminalWindow::Require(int id, const char* what) const {
  TerminalControl& control = Find(id);
  auto* typed = dynamic_cast<Control*>(&control);
  if (!typed) {
    throw std::logic_error(control.Describe() + " of dialog " + std::to_string(template_.id) +
                           " is not " + what);
  }
  return *typed;
}

// -- focus -------------------------------------------------------------------------

ControlStates TerminalWindow::States() const {
  return {[this](int index) {
            const TerminalControl& control = *controls_[static_cast<std::size_t>(index)];
            return control.TakesFocus() && control.IsEnabled();
          },
          [this](int index) {
            const auto* check = dynamic_cast<const TerminalCheck*>(
                controls_[static_cast<std::size_t>(index)].get());
            return check != nullptr && check->Check() == BST_CHECKED;
          }};
}

TerminalControl* TerminalWindow::Focused() const {
  return focus_ < 0 ? nullptr : controls_[static_cast<std::size_t>(focus_)].get();
}

int TerminalWindow::FocusedId() const { return focus_ < 0 ? 0 : Focused()->Id(); }

void TerminalWindow::MoveFocus(int index) {
  if (index == focus_) return;
  if (TerminalControl* left = Focused()) left->FocusLeft();
  focus_ = index;
  if (TerminalControl* entered = Focused()) entered->FocusEntered();
}

bool TerminalWindow::FocusFirst() {
  const std::optional<int> first =
      navigation_.NextTabStop(-1, false, false, static_cast<int>(controls_.size()), States());
  if (!first) return false;
  MoveFocus(*first);
  return true;
}

bool TerminalWindow::FocusLast() {
  const std::optional<int> last =
      navigation_.NextTabStop(-1, true, true, static_cast<int>(controls_.size()), States());
  if (!last) return false;
  MoveFocus(*last);
  return true;
}

bool TerminalWindow::FocusNext(bool backwards, bool wrap) {
  const std::optional<int> next = navigation_.NextTabStop(
      focus_, backwards, wrap, static_cast<int>(controls_.size()), States());
  if (!next) return false;
  MoveFocus(*next);
  return true;
}

bool TerminalWindow::FocusControl(int id) {
  TerminalControl* control = FindControl(id);
  if (control == nullptr || !control->TakesFocus() || !control->IsEnabled()) return false;
  MoveFocus(IndexOf(*control));
  return true;
}

// -- keys --------------------------------------------------------------------------

bool TerminalWindow::MoveInRadioGroup(int delta) {
  if (focus_ < 0 || navigation_.GroupOf(focus_) < 0) return false;
  const std::optional<int> next = navigation_.ArrowTarget(focus_, delta, States());
  if (!next) return true;
  MoveFocus(*next);
  controls_[static_cast<std::size_t>(*next)]->Activate();
  return true;
}

bool TerminalWindow::HandleKey(const TerminalKey& key) {
  TerminalControl* focused = Focused();
  if (focused == nullptr) return false;
  if (!key.alt && !key.ctrl && !key.shift) {
    if (key.code == KeyCode::Up || key.code == KeyCode::Left) {
      if (MoveInRadioGroup(-1)) return true;
    }
    if (key.code == KeyCode::Down || key.code == KeyCode::Right) {
      if (MoveInRadioGroup(1)) return true;
    }
    if (key.code == KeyCode::Delete && focused->Kind() == ControlKind::ListView) {
      PressDelete(static_cast<TerminalListView&>(*focused));
      return true;
    }
  }
  return focused->HandleKey(key);
}

void TerminalWindow::HandlePaste(std::u32string_view text) {
  if (TerminalControl* focused = Focused()) focused->HandlePaste(text);
}

void TerminalWindow::PressDelete(TerminalListView& list) {
  const std::optional<int> remove = RemoveButton();
  if (!remove || !Find(*remove).IsEnabled() || list.RowCount() == 0) {
    app_.Beep();
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  list.SelectCurrentIfNone();
  if (*alive) ClickUnlessDisabled(*remove);
}

std::optional<int> TerminalWindow::RemoveButton() const {
  std::optional<int> found;
  for (const std::unique_ptr<TerminalControl>& control : controls_) {
    if (control->Kind() != ControlKind::PushButton || control->Id() == IDC_STATIC) continue;
    std::string caption = CaptionWithoutMarks(control->Text());
    while (!caption.empty() && caption.back() == '.') caption.pop_back();
    for (char& c : caption) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (caption != "remove" && caption != "delete") continue;
    if (found) return std::nullopt;  // which one is meant is not clear
    found = control->Id();
  }
  return found;
}

bool TerminalWindow::PressMnemonic(char letter) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    TerminalControl& control = *controls_[i];
    if (!control.TakesMnemonic() || control.MnemonicKey() != letter) continue;
    if (control.Kind() == ControlKind::Label) {
      // A label's letter takes the focus to the control it names.
      TerminalControl* buddy = BuddyOf(control);
      if (buddy == nullptr || !buddy->IsEnabled() || !control.IsEnabled()) {
        app_.Beep();
        return true;
      }
      MoveFocus(IndexOf(*buddy));
      return true;
    }
    if (!control.IsEnabled()) {
      app_.Beep();
      return true;
    }
    MoveFocus(static_cast<int>(i));
    control.Activate();
    return true;
  }
  return false;
}

bool TerminalWindow::FocusedIsButton() const {
  const TerminalControl* focused = Focused();
  return focused != nullptr && focused->Kind() == ControlKind::PushButton &&
         focused->Id() != IDC_STATIC;
}

void TerminalWindow::PressEnter() {
  // A push button with the focus takes Enter itself, else the default button, else
  // IDOK, as in a Windows dialog.
  if (FocusedIsButton()) return ClickUnlessDisabled(Focused()->Id());
  for (const std::unique_ptr<TerminalControl>& control : controls_) {
    if (control->Kind() == ControlKind::PushButton && control->Id() != IDC_STATIC &&
        control->Template().Has(ControlStyle::DefaultButton))
      return ClickUnlessDisabled(control->Id());
  }
  ClickUnlessDisabled(IDOK);
}

void TerminalWindow::PressCancel() { ClickUnlessDisabled(IDCANCEL); }

void TerminalWindow::ClickUnlessDisabled(int id) {
  const TerminalControl* control = FindControl(id);
  if (control != nullptr && !control->IsEnabled()) {
    app_.Beep();
    return;
  }
  UserNotify(id, BN_CLICKED);
}

std::vector<std::string> TerminalWindow::Choices() const {
  std::vector<std::string> chosen;
  if (listViews_.empty()) return chosen;  // no rows to tell of
  for (const std::unique_ptr<TerminalControl>& control : controls_) {
    const auto* list = dynamic_cast<const TerminalItemList*>(control.get());
    if (list == nullptr) continue;
    const int selected = list->Selection();
    chosen.push_back(selected < 0 ? std::string() : "=" + list->ItemText(selected));
  }
  return chosen;
}

bool TerminalWindow::UserNotify(int id, int notifyCode) {
  const std::shared_ptr<bool> alive = alive_;
  const std::vector<std::string> chosen = Choices();
  for (TerminalListView* list : listViews_) list->BeginUserAction();
  events_.OnControlNotify(id, notifyCode);
  if (!*alive) return false;
  const bool otherChoice = Choices() != chosen;
  std::string told;
  for (TerminalListView* list : listViews_) {
    std::string said = list->EndUserAction(notifyCode == BN_CLICKED, otherChoice);
    if (!said.empty()) told = std::move(said);
  }
  if (!told.empty()) {
    // Rows the command added or removed: what the window holds changed.
    changes_.MarkChanged();
    app_.Tell(told);
  }
  return true;
}

void TerminalWindow::Shown() {
  changes_.Shown(WindowValues(*this, template_, ChangeScopeOf(role_)));
}

bool TerminalWindow::Changed() const {
  return changes_.Changed(WindowValues(*this, template_, ChangeScopeOf(role_)));
}

void TerminalWindow::Tell(std::string text, bool beep) { app_.Tell(std::move(text), beep); }

// -- drawing -----------------------------------------------------------------------

void TerminalWindow::Draw(const Painter& painter, bool active) const {
  // Frames first, so that what they hold is drawn over their empty middle.
  for (const std::unique_ptr<TerminalControl>& control : controls_)
    if (control->Kind() == ControlKind::GroupBox) control->Draw(painter, false);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const TerminalControl& control = *controls_[i];
    if (control.Kind() == ControlKind::GroupBox) continue;
    control.Draw(painter, active && static_cast<int>(i) == focus_);
  }
}

std::optional<CellRect> TerminalWindow::FocusArea() const {
  const TerminalControl* focused = Focused();
  if (focused == nullptr) return std::nullopt;
  CellRect area = focused->FocusArea();
  // The label that names the control comes into sight with it, where there is room.
  if (focused->Id() != IDC_STATIC) {
    if (const ControlTemplate* label = template_.LabelFor(focused->Id())) {
      const CellRect named = ControlCells(*label);
      const int left = std::min(area.x, named.x);
      const int top = std::min(area.y, named.y);
      area = {left, top, std::max(area.Right(), named.Right()) - left,
              std::max(area.Bottom(), named.Bottom()) - top};
    }
  }
  return area;
}

std::optional<CellPoint> TerminalWindow::CursorAt() const {
  const TerminalControl* focused = Focused();
  if (focused == nullptr) return std::nullopt;
  return focused->CursorAt();
}

std::string TerminalWindow::Hints() const {
  const TerminalControl* focused = Focused();
  if (focused == nullptr) return {};
  const std::string name = NameOf(*focused);
  const std::string keys = focused->Hints();
  if (name.empty()) return keys;
  return keys.empty() ? name : name + ": " + keys;
}

// -- the framework's operations ----------------------------------------------------

void TerminalWindow::SetText(int id, std::string_view text) {
  TerminalControl& control = Find(id);
  control.SetText(text);
  if (control.TakesMnemonic()) ChooseMnemonics();
}

std::string TerminalWindow::Text(int id) const { return Find(id).Text(); }

void TerminalWindow::SetEnabled(int id, bool enabled) {
  TerminalControl& control = Find(id);
  control.SetEnabled(enabled);
  // The focus does not stay on a control that can no longer take it.
  if (!enabled && Focused() == &control) FocusNext(false, true);
}

bool TerminalWindow::IsEnabled(int id) const { return Find(id).IsEnabled(); }

void TerminalWindow::SetFocus(int id) {
  TerminalControl& control = Find(id);
  if (!control.TakesFocus()) return;
  MoveFocus(IndexOf(control));
  app_.WindowFocused(*this);
}

std::optional<char32_t> TerminalWindow::UnstorableCharacter(int id) const {
  return Find(id).UnstorableCharacter();
}

void TerminalWindow::MarkWholeNumber(int id) {
  if (auto* edit = dynamic_cast<TerminalEdit*>(&Find(id))) edit->MarkWholeNumber();
}

void TerminalWindow::SetCueBanner(int id, std::string_view text) {
  Require<TerminalEdit>(id, kEditWhat).SetCueBanner(text);
}

void TerminalWindow::SetCheck(int id, int state) {
  Require<TerminalCheck>(id, kCheckWhat).SetCheck(state);
}

int TerminalWindow::Check(int id) const { return Require<TerminalCheck>(id, kCheckWhat).Check(); }

int TerminalWindow::AddItem(int id, std::string_view text) {
  return Require<TerminalItemList>(id, kItemWhat).AddItem(text);
}

int TerminalWindow::InsertItem(int id, int index, std::string_view text) {
  return Require<TerminalItemList>(id, kItemWhat).InsertItem(index, text);
}

void TerminalWindow::DeleteItem(int id, int index) {
  Require<TerminalItemList>(id, kItemWhat).DeleteItem(index);
}

void TerminalWindow::ResetItems(int id) { Require<TerminalItemList>(id, kItemWhat).ResetItems(); }

int TerminalWindow::ItemCount(int id) const {
  return Require<TerminalItemList>(id, kItemWhat).ItemCount();
}

std::string TerminalWindow::ItemText(int id, int index) const {
  return Require<TerminalItemList>(id, kItemWhat).ItemText(index);
}

void TerminalWindow::SetItemData(int id, int index, std::uintptr_t data) {
  Require<TerminalItemList>(id, kItemWhat).SetItemData(index, data);
}

std::uintptr_t TerminalWindow::ItemData(int id, int index) const {
  return Require<TerminalItemList>(id, kItemWhat).ItemData(index);
}

int TerminalWindow::Selection(int id) const {
  return Require<TerminalItemList>(id, kItemWhat).Selection();
}

void TerminalWindow::SetSelection(int id, int index) {
  Require<TerminalItemList>(id, kItemWhat).SetSelection(index);
}

void TerminalWindow::AddColumn(int id, std::string_view title, int width, int format) {
  Require<TerminalListView>(id, kListViewWhat).AddColumn(title, width, format);
}

unsigned TerminalWindow::ExtendedStyle(int id) const {
  return Require<TerminalListView>(id, kListViewWhat).ExtendedStyle();
}

void TerminalWindow::SetExtendedStyle(int id, unsigned style) {
  Require<TerminalListView>(id, kListViewWhat).SetExtendedStyle(style);
}

int TerminalWindow::InsertRow(int id, int index, const ListViewRow& row) {
  return Require<TerminalListView>(id, kListViewWhat).InsertRow(index, row);
}

void TerminalWindow::InsertRows(int id, std::span<const ListViewRow> rows) {
  Require<TerminalListView>(id, kListViewWhat).InsertRows(rows);
}

void TerminalWindow::SetCellText(int id, int row, int column, std::string_view text) {
  Require<TerminalListView>(id, kListViewWhat).SetCellText(row, column, text);
}

std::string TerminalWindow::CellText(int id, int row, int column) const {
  return Require<TerminalListView>(id, kListViewWhat).CellText(row, column);
}

int TerminalWindow::RowCount(int id) const {
  return Require<TerminalListView>(id, kListViewWhat).RowCount();
}

void TerminalWindow::DeleteRows(int id, std::span<const int> rows) {
  Require<TerminalListView>(id, kListViewWhat).DeleteRows(rows);
}

void TerminalWindow::DeleteAllRows(int id) {
  Require<TerminalListView>(id, kListViewWhat).DeleteAllRows();
}

std::vector<int> TerminalWindow::SelectedRows(int id) const {
  return Require<TerminalListView>(id, kListViewWhat).SelectedRows();
}

int TerminalWindow::SelectedRowCount(int id) const {
  return Require<TerminalListView>(id, kListViewWhat).SelectedRowCount();
}

void TerminalWindow::SetRowSelected(int id, int row, bool selected) {
  Require<TerminalListView>(id, kListViewWhat).SetRowSelected(row, selected);
}

int TerminalWindow::FindRowByPrefix(int id, std::string_view prefix, int start) const {
  return Require<TerminalListView>(id, kListViewWhat).FindRowByPrefix(prefix, start);
}

DateTimeValue TerminalWindow::DateTime(int id) const {
  return Require<TerminalPicker>(id, kPickerWhat).DateTime();
}

void TerminalWindow::SetDateTime(int id, const DateTimeValue& value) {
  Require<TerminalPicker>(id, kPickerWhat).SetDateTime(value);
}

void TerminalWindow::SetDateTimeRange(int id, const std::optional<DateTimeValue>& earliest,
                                      const std::optional<DateTimeValue>& latest) {
  Require<TerminalPicker>(id, kPickerWhat).SetRange(earliest, latest);
}

void TerminalWindow::SetDateTimeFormat(int id, std::string_view format) {
  TerminalPicker& picker = Require<TerminalPicker>(id, kPickerWhat);
  picker.SetFormat(format);
  const auto label = pickerLabel_.find(IndexOf(picker));
  if (label == pickerLabel_.end()) return;
  TerminalControl& own = *controls_[static_cast<std::size_t>(label->second)];
  if (own.Text() == PickerCaption(picker.Parts())) return;
  own.SetText(PickerCaption(picker.Parts()));
  ChooseMnemonics();
}

int TerminalWindow::RunModal() {
  if (role_ != WindowRole::ModalDialog) {
    throw std::logic_error("dialog " + std::to_string(template_.id) +
                           " was not built to run modally");
  }
  if (ended_) {
    const int result = *ended_;
    ended_.reset();
    return result;
  }
  if (focus_ < 0) FocusFirst();
  Shown();
  DialogLayer layer(*this);
  app_.Run(layer);
  const int result = ended_.value_or(IDCANCEL);
  ended_.reset();
  // What the dialog changed is now its owner's change.
  if (result == IDOK && Changed()) app_.MarkChanged();
  return result;
}

void TerminalWindow::EndModal(int result) { ended_ = result; }
