#include "ui/scripted/ScriptedWindow.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/model/DialogNavigation.h"
#include "ui/scripted/ScriptedBackend.h"
#include "ui/scripted/UserActionError.h"

namespace {

std::string Describe(const ScriptedControl& control) {
  return "control " + std::to_string(control.info.id) + " (" + ControlKindName(control.info.kind) +
         ")";
}

constexpr std::initializer_list<ControlKind> kItemKinds = {ControlKind::ListBox,
                                                           ControlKind::ComboBox};
constexpr const char* kItemWhat = "a list box or combo box";
constexpr std::initializer_list<ControlKind> kListViewKinds = {ControlKind::ListView};
constexpr const char* kListViewWhat = "a list view";
constexpr std::initializer_list<ControlKind> kPickerKinds = {ControlKind::DateTimePicker};
constexpr const char* kPickerWhat = "a date-time picker";

DateTimeValue Clamp(DateTimeValue value, const ScriptedControl& control) {
  if (control.earliest && value < *control.earliest) value = *control.earliest;
  if (control.latest && value > *control.latest) value = *control.latest;
  return value;
}

}  // namespace

ScriptedWindow::ScriptedWindow(ScriptedBackend& backend, const DialogTemplate& dialog,
                               WindowRole role, UiEventSink& events, const DateTimeValue& now)
    : backend_(backend), template_(dialog), role_(role), events_(events) {
  controls_.reserve(template_.controls.size());
  for (const ControlTemplate& control : template_.controls) {
    controls_.emplace_back(control, now);
    if (control.id != IDC_STATIC) byId_.try_emplace(control.id, controls_.size() - 1);
  }
  backend_.WindowCreated(*this);
}

ScriptedWindow::~ScriptedWindow() { backend_.WindowDestroyed(*this); }

bool ScriptedWindow::HasControl(int id) const { return byId_.contains(id); }

const ScriptedControl& ScriptedWindow::Control(int id) const { return Find(id); }

ScriptedControl& ScriptedWindow::Find(int id) {
  return const_cast<ScriptedControl&>(std::as_const(*this).Find(id));
}

const ScriptedControl& ScriptedWindow::Find(int id) const {
  auto found = byId_.find(id);
  if (found == byId_.end()) {
    throw std::logic_error("dialog " + std::to_string(template_.id) + " has no control " +
                           std::to_string(id));
  }
  return controls_[found->second];
}

ScriptedControl& ScriptedWindow::Require(int id, std::initializer_list<ControlKind> kinds,
                                         const char* what) {
  return const_cast<ScriptedControl&>(std::as_const(*this).Require(id, kinds, what));
}

const ScriptedControl& ScriptedWindow::Require(int id, std::initializer_list<ControlKind> kinds,
                                               const char* what) const {
  const ScriptedControl& control = Find(id);
  if (std::find(kinds.begin(), kinds.end(), control.info.kind) == kinds.end()) {
    throw std::logic_error(Describe(control) + " of dialog " + std::to_string(template_.id) +
                           " is not " + what);
  }
  return control;
}

ScriptedControl& ScriptedWindow::Usable(int id, std::initializer_list<ControlKind> kinds,
                                        const char* action) {
  auto found = byId_.find(id);
  if (found == byId_.end()) throw UserActionError("no control " + std::to_string(id));
  ScriptedControl& control = controls_[found->second];
  if (std::find(kinds.begin(), kinds.end(), control.info.kind) == kinds.end()) {
    throw UserActionError(Describe(control) + " has no action '" + action + "'");
  }
  if (!control.enabled) throw UserActionError(Describe(control) + " is disabled");
  return control;
}

std::optional<int> ScriptedWindow::FindByCaption(std::string_view caption) const {
  // By the one naming rule of the template; a control that has a caption of its own
  // first, so that a button is never taken for the input a label of the same words
  // names.
  for (const bool input : {false, true}) {
    for (const ScriptedControl& control : controls_) {
      const ControlTemplate& info = control.info;
      if (info.id == IDC_STATIC || info.kind == ControlKind::Label) continue;
      if (IsInputKind(info.kind) == input && template_.IsNamed(info.id, caption)) return info.id;
    }
  }
  return std::nullopt;
}

std::optional<int> ScriptedWindow::FindAbove(std::string_view caption) const {
  const std::optional<int> below = FindByCaption(caption);
  if (!below) return std::nullopt;
  const DluRect& under = Control(*below).info.rect;
  const ScriptedControl* nearest = nullptr;
  for (const ScriptedControl& control : controls_) {
    const ControlKind kind = control.info.kind;
    const DluRect& rect = control.info.rect;
    if (kind == ControlKind::Label || kind == ControlKind::GroupBox) continue;
    if (rect.Bottom() > under.y || rect.Right() <= under.x || rect.x >= under.Right()) continue;
    if (nearest == nullptr || rect.Bottom() > nearest->info.rect.Bottom()) nearest = &control;
  }
  if (nearest == nullptr) return std::nullopt;
  return nearest->info.id;
}

std::vector<std::string> ScriptedWindow::Items(int id) const {
  const ScriptedControl& control =
      Require(id, {ControlKind::ListBox, ControlKind::ComboBox}, "a list box or combo box");
  std::vector<std::string> items;
  for (int i = 0; i < control.items.Count(); ++i) items.push_back(control.items.Text(i));
  return items;
}

std::vector<ListViewRow> ScriptedWindow::Rows(int id) const {
  const ScriptedControl& control = Require(id, {ControlKind::ListView}, "a list view");
  std::vector<ListViewRow> rows;
  for (int i = 0; i < control.rows.RowCount(); ++i) rows.push_back(control.rows.Row(i));
  return rows;
}

std::vector<ListViewRow> ScriptedWindow::RowsInInsertionOrder(int id) const {
  const ScriptedControl& control = Require(id, {ControlKind::ListView}, "a list view");
  std::vector<ListViewRow> rows;
  for (int i : control.rows.InsertionOrder()) rows.push_back(control.rows.Row(i));
  return rows;
}

std::size_t ScriptedWindow::IndexOf(const ScriptedControl& control) const {
  return static_cast<std::size_t>(&control - controls_.data());
}

void ScriptedWindow::Notify(int id, int code) { events_.OnControlNotify(id, code); }

void ScriptedWindow::UserSetText(int id, std::string_view text) {
  ScriptedControl& control = Usable(id, {ControlKind::Edit, ControlKind::ComboBox}, "set");
  if (control.info.kind == ControlKind::ComboBox && !control.info.Has(ControlStyle::DropDown)) {
    throw UserActionError(Describe(control) + " has no text field to set");
  }
  if (control.info.Has(ControlStyle::ReadOnly)) {
    throw UserActionError(Describe(control) + " is read-only");
  }
  SetText(id, text);
  Notify(id, control.info.kind == ControlKind::Edit ? EN_CHANGE : CBN_EDITCHANGE);
}

void ScriptedWindow::UserClick(int id) {
  ScriptedControl& control = Usable(
      id, {ControlKind::PushButton, ControlKind::CheckBox, ControlKind::RadioButton}, "click");
  if (control.info.kind == ControlKind::CheckBox) {
    control.check = control.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  } else if (control.info.kind == ControlKind::RadioButton &&
             control.info.Has(ControlStyle::AutoRadio)) {
    // The mark moves within the group the shared keyboard rules make of the template.
    const DialogNavigation navigation(template_.controls);
    const int at = static_cast<int>(IndexOf(control));
    for (int member : navigation.Groups().at(static_cast<std::size_t>(navigation.GroupOf(at))))
      controls_[static_cast<std::size_t>(member)].check =
          member == at ? BST_CHECKED : BST_UNCHECKED;
  }
  Notify(id, BN_CLICKED);
}

void ScriptedWindow::UserSelectItem(int id, int index) {
  ScriptedControl& control = Usable(id, {ControlKind::ListBox, ControlKind::ComboBox}, "select");
  if (index < -1 || index >= control.items.Count()) {
    throw UserActionError(Describe(control) + " has no entry " + std::to_string(index));
  }
  SetSelection(id, index);
  if (control.info.kind == ControlKind::ComboBox) {
    Notify(id, CBN_SELCHANGE);
  } else if (control.info.Has(ControlStyle::Notify)) {
    Notify(id, LBN_SELCHANGE);
  }
}

void ScriptedWindow::UserSelectRows(int id, std::span<const int> rows) {
  ScriptedControl& control = Usable(id, {ControlKind::ListView}, "rows");
  for (int row : rows) {
    if (row < 0 || row >= control.rows.RowCount()) {
      throw UserActionError(Describe(control) + " has no row " + std::to_string(row));
    }
  }
  if (rows.size() > 1 && control.info.Has(ControlStyle::SingleSelection)) {
    throw UserActionError(Describe(control) + " selects one row at most");
  }
  control.rows.ClearSelection();
  for (int row : rows) control.rows.SetSelected(row, true);
  Notify(id, LVN_ITEMCHANGED);
}

void ScriptedWindow::UserPickDate(int id, const DateTimeValue& date) {
  ScriptedControl& control = Usable(id, {ControlKind::DateTimePicker}, "pick");
  if (!date.IsValid()) throw UserActionError(date.IsoDate() + " is not a calendar date");
  DateTimeValue value = control.date;
  value.year = date.year;
  value.month = date.month;
  value.day = date.day;
  const DateTimeValue day = DateTimeValue::Date(date.year, date.month, date.day);
  auto dayOf = [](const DateTimeValue& v) { return DateTimeValue::Date(v.year, v.month, v.day); };
  if ((control.earliest && day < dayOf(*control.earliest)) ||
      (control.latest && day > dayOf(*control.latest))) {
    throw UserActionError(date.IsoDate() + " is outside the range of " + Describe(control));
  }
  control.date = Clamp(value, control);
  Notify(id, DTN_DATETIMECHANGE);
}

void ScriptedWindow::UserPickYear(int id, int year) {
  ScriptedControl& control = Usable(id, {ControlKind::DateTimePicker}, "year");
  const int earliest = control.earliest ? control.earliest->year : 1;
  const int latest = control.latest ? control.latest->year : 9999;
  if (year < earliest || year > latest) {
    throw UserActionError("year " + std::to_string(year) + " is outside the range of " +
                          Describe(control) + " (" + std::to_string(earliest) + " to " +
                          std::to_string(latest) + ")");
  }
  DateTimeValue value = control.date;
  value.year = year;
  if (!value.IsValid()) value.day = 28;  // 29 February of a common year
  control.date = Clamp(value, control);
  Notify(id, DTN_DATETIMECHANGE);
}

void ScriptedWindow::UserCloseWith(int buttonId) {
  if (HasControl(buttonId) && !Find(buttonId).enabled) {
    throw UserActionError(Describe(Find(buttonId)) + " is disabled");
  }
  Notify(buttonId, BN_CLICKED);
}

void ScriptedWindow::SetCueBanner(int id, std::string_view text) {
  Require(id, {ControlKind::Edit}, "an edit box").cue = text;
}

void ScriptedWindow::SetText(int id, std::string_view text) {
  ScriptedControl& control = Find(id);
  if (control.info.kind == ControlKind::ComboBox) {
    const int match = control.items.FindExact(text);
    control.items.Select(match);
    const bool editable = control.info.Has(ControlStyle::DropDown);
    control.text = editable || match >= 0 ? std::string(text) : std::string();
    return;
  }
  control.text = text;
}

std::string ScriptedWindow::Text(int id) const { return Find(id).text; }

void ScriptedWindow::SetEnabled(int id, bool enabled) { Find(id).enabled = enabled; }

bool ScriptedWindow::IsEnabled(int id) const { return Find(id).enabled; }

void ScriptedWindow::SetFocus(int id) {
  Find(id);
  focus_ = id;
}

void ScriptedWindow::SetCheck(int id, int state) {
  Require(id, {ControlKind::CheckBox, ControlKind::RadioButton}, "a check box or radio button")
      .check = state;
}

int ScriptedWindow::Check(int id) const {
  return Require(id, {ControlKind::CheckBox, ControlKind::RadioButton},
                 "a check box or radio button")
      .check;
}

int ScriptedWindow::AddItem(int id, std::string_view text) {
  return Require(id, kItemKinds, kItemWhat).items.Add(text);
}

int ScriptedWindow::InsertItem(int id, int index, std::string_view text) {
  return Require(id, kItemKinds, kItemWhat).items.Insert(index, text);
}

void ScriptedWindow::DeleteItem(int id, int index) {
  Require(id, kItemKinds, kItemWhat).items.Delete(index);
}

void ScriptedWindow::ResetItems(int id) {
  ScriptedControl& control = Require(id, kItemKinds, kItemWhat);
  control.items.Clear();
  if (control.info.kind == ControlKind::ComboBox) control.text.clear();
}

int ScriptedWindow::ItemCount(int id) const {
  return Require(id, kItemKinds, kItemWhat).items.Count();
}

std::string ScriptedWindow::ItemText(int id, int index) const {
  return Require(id, kItemKinds, kItemWhat).items.Text(index);
}

void ScriptedWindow::SetItemData(int id, int index, std::uintptr_t data) {
  Require(id, kItemKinds, kItemWhat).items.SetData(index, data);
}

std::uintptr_t ScriptedWindow::ItemData(int id, int index) const {
  return Require(id, kItemKinds, kItemWhat).items.Data(index);
}

int ScriptedWindow::Selection(int id) const {
  return Require(id, kItemKinds, kItemWhat).items.Selection();
}

void ScriptedWindow::SetSelection(int id, int index) {
  ScriptedControl& control = Require(id, kItemKinds, kItemWhat);
  if (!control.items.Select(index)) return;
  if (control.info.kind == ControlKind::ComboBox) control.text = control.items.Text(index);
}

void ScriptedWindow::AddColumn(int id, std::string_view title, int width, int format) {
  Require(id, kListViewKinds, kListViewWhat)
      .columns.push_back(ListViewColumn{std::string(title), width, format});
}

unsigned ScriptedWindow::ExtendedStyle(int id) const {
  return Require(id, kListViewKinds, kListViewWhat).extendedStyle;
}

void ScriptedWindow::SetExtendedStyle(int id, unsigned style) {
  Require(id, kListViewKinds, kListViewWhat).extendedStyle = style;
}

int ScriptedWindow::InsertRow(int id, int index, const ListViewRow& row) {
  return Require(id, kListViewKinds, kListViewWhat).rows.Insert(index, row);
}

void ScriptedWindow::InsertRows(int id, std::span<const ListViewRow> rows) {
  Require(id, kListViewKinds, kListViewWhat).rows.InsertMany(rows);
}

void ScriptedWindow::SetCellText(int id, int row, int column, std::string_view text) {
  Require(id, kListViewKinds, kListViewWhat).rows.SetCell(row, column, text);
}

std::string ScriptedWindow::CellText(int id, int row, int column) const {
  return Require(id, kListViewKinds, kListViewWhat).rows.Cell(row, column);
}

int ScriptedWindow::RowCount(int id) const {
  return Require(id, kListViewKinds, kListViewWhat).rows.RowCount();
}

void ScriptedWindow::DeleteRows(int id, std::span<const int> rows) {
  Require(id, kListViewKinds, kListViewWhat).rows.Delete(rows);
}

void ScriptedWindow::DeleteAllRows(int id) {
  Require(id, kListViewKinds, kListViewWhat).rows.Clear();
}

std::vector<int> ScriptedWindow::SelectedRows(int id) const {
  return Require(id, kListViewKinds, kListViewWhat).rows.Selected();
}

int ScriptedWindow::SelectedRowCount(int id) const {
  return Require(id, kListViewKinds, kListViewWhat).rows.SelectedCount();
}

void ScriptedWindow::SetRowSelected(int id, int row, bool selected) {
  Require(id, kListViewKinds, kListViewWhat).rows.SetSelected(row, selected);
}

int ScriptedWindow::FindRowByPrefix(int id, std::string_view prefix, int start) const {
  return Require(id, kListViewKinds, kListViewWhat).rows.FindPrefix(prefix, start);
}

DateTimeValue ScriptedWindow::DateTime(int id) const {
  return Require(id, kPickerKinds, kPickerWhat).date;
}

void ScriptedWindow::SetDateTime(int id, const DateTimeValue& value) {
  ScriptedControl& control = Require(id, kPickerKinds, kPickerWhat);
  control.date = Clamp(value, control);
}

void ScriptedWindow::SetDateTimeRange(int id, const std::optional<DateTimeValue>& earliest,
                                      const std::optional<DateTimeValue>& latest) {
  ScriptedControl& control = Require(id, kPickerKinds, kPickerWhat);
  control.earliest = earliest;
  control.latest = latest;
  control.date = Clamp(control.date, control);
}

void ScriptedWindow::SetDateTimeFormat(int id, std::string_view format) {
  Require(id, kPickerKinds, kPickerWhat).format = format;
}

int ScriptedWindow::RunModal() { return backend_.RunDialog(*this); }

void ScriptedWindow::EndModal(int result) {
  ended_ = true;
  result_ = result;
}
