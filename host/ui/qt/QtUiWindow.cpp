#include "ui/qt/QtUiWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/backend/MnemonicAssignment.h"
#include "ui/backend/PickerLabel.h"
#include "ui/backend/RowChangeAnnouncement.h"
#include "ui/qt/AltKeyGuard.h"
#include "ui/qt/FittingScrollArea.h"
#include "ui/qt/HostDialog.h"
#include "ui/qt/Latin1.h"
#include "ui/qt/LiveStatus.h"
#include "ui/qt/QtCheckControl.h"
#include "ui/qt/QtComboBoxControl.h"
#include "ui/qt/QtDateTimeControl.h"
#include "ui/qt/QtEditControl.h"
#include "ui/qt/QtGroupBoxControl.h"
#include "ui/qt/QtLabelControl.h"
#include "ui/qt/QtListBoxControl.h"
#include "ui/qt/QtListViewControl.h"
#include "ui/qt/QtPushButtonControl.h"

namespace {

// Every window alive, to find the one a widget belongs to. Never destroyed: a window
// may go while the process ends.
std::vector<QtUiWindow*>& LiveWindows() {
  static auto* windows = new std::vector<QtUiWindow*>();
  return *windows;
}

std::unique_ptr<QtControl> MakeControl(const ControlTemplate& control, QWidget& parent,
                                       const QRect& geometry,
                                       const std::shared_ptr<NotifyChannel>& channel) {
  switch (control.kind) {
    case ControlKind::Label:
      return std::make_unique<QtLabelControl>(control, parent, geometry, channel);
    case ControlKind::GroupBox:
      return std::make_unique<QtGroupBoxControl>(control, parent, geometry, channel);
    case ControlKind::PushButton:
      return std::make_unique<QtPushButtonControl>(control, parent, geometry, channel);
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return std::make_unique<QtCheckControl>(control, parent, geometry, channel);
    case ControlKind::Edit:
      return std::make_unique<QtEditControl>(control, parent, geometry, channel);
    case ControlKind::ComboBox:
      return std::make_unique<QtComboBoxControl>(control, parent, geometry, channel);
    case ControlKind::ListBox:
      return std::make_unique<QtListBoxControl>(control, parent, geometry, channel);
    case ControlKind::ListView:
      return std::make_unique<QtListViewControl>(control, parent, geometry, channel);
    case ControlKind::DateTimePicker:
      return std::make_unique<QtDateTimeControl>(control, parent, geometry, channel);
  }
  throw std::logic_error("control " + std::to_string(control.id) + " is of no known kind");
}

}  // namespace

QtUiWindow::QtUiWindow(const DialogTemplate& dialog, WindowRole role, QWidget* parent,
                       UiEventSink& events, DeferredError& errors)
    : template_(dialog),
      navigation_(template_.controls),
      role_(role),
      errors_(errors),
      channel_(std::make_shared<NotifyChannel>(events, errors)),
      scale_(DialogUnitScale::ForFont(DialogFont(dialog))) {
  if (role == WindowRole::PropertyPage) {
    top_ = canvas_ = new QWidget();
  } else {
    dialog_ = new HostDialog(parent);
    dialog_->SetKeyHandlers([this] { OnEnter(); }, [this] { OnCancel(); });
    top_ = dialog_;
    auto* layout = new QVBoxLayout(dialog_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* scroll = new FittingScrollArea(dialog_);
    layout->addWidget(scroll, 1);
    canvas_ = new QWidget();
    scroll->setWidget(canvas_);
    MakeButtonRow(*layout);
  }
  top_->setFont(DialogFont(dialog));
  top_->setWindowTitle(ToQString(dialog.title));
  canvas_->setAutoFillBackground(true);
  QSize canvasSize = scale_.ToPixels(dialog.width, dialog.height);
  if (buttonRow_ != nullptr) canvasSize.setHeight(buttonRowOrigin_.y());
  canvas_->setFixedSize(canvasSize);
  if (dialog_) dialog_->resize(dialog_->sizeHint());
  BuildControls();
  NameInputs();
  DescribeControls();
  ChooseMnemonics();
  GuardKeys();
  status_ = std::make_unique<LiveStatus>(*top_);
  for (const std::unique_ptr<QtControl>& control : controls_) {
    control->SetAnnouncer(
        [status = status_.get()](const QString& text) { status->Announce(text); });
  }
  channel_->SetCommandWatch(this);
  LiveWindows().push_back(this);
}

QtUiWindow::~QtUiWindow() {
  std::erase(LiveWindows(), this);
  channel_->Close();
  if (dialog_) dialog_->SetKeyHandlers({}, {});
  controls_.clear();
  if (!top_) return;  // taken down with the widget it belonged to
  if (channel_->IsDelivering()) {
    // Destroyed by a notification that one of its own widgets is still sending.
    top_->hide();
    top_->deleteLater();
  } else {
    delete top_.data();
  }
}

// The row is as wide as the dialog from its first button on, and keeps its distance
// from the dialog's right side when the dialog is wider or narrower than the
// template; it takes the room between it and the controls above, up to a margin.
void QtUiWindow::MakeButtonRow(QBoxLayout& layout) {
  buttonRowIndexes_ = template_.ButtonRow();
  if (buttonRowIndexes_.empty()) return;
  int left = template_.width;
  int top = template_.height;
  int above = 0;
  for (std::size_t i = 0; i < template_.controls.size(); ++i) {
    const DluRect& rect = template_.controls[i].rect;
    if (std::find(buttonRowIndexes_.begin(), buttonRowIndexes_.end(), i) !=
        buttonRowIndexes_.end()) {
      left = std::min(left, rect.x);
      top = std::min(top, rect.y);
    } else {
      above = std::max(above, rect.Bottom());
    }
  }
  constexpr int kMargin = 7;  // dialog units, as the templates keep from their edges
  const QSize whole = scale_.ToPixels(template_.width, template_.height);
  buttonRowOrigin_ = QPoint(scale_.X(left), scale_.Y(std::max(above, top - kMargin)));
  auto* strip = new QWidget(dialog_);
  strip->setAutoFillBackground(true);
  strip->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* line = new QHBoxLayout(strip);
  line->setContentsMargins(0, 0, 0, 0);
  line->setSpacing(0);
  line->addStretch(1);
  buttonRow_ = new QWidget(strip);
  buttonRow_->setFixedSize(std::max(0, whole.width() - buttonRowOrigin_.x()),
                           std::max(0, whole.height() - buttonRowOrigin_.y()));
  line->addWidget(buttonRow_);
  layout.addWidget(strip);
}

ControlStates QtUiWindow::States() const {
  const auto control = [this](int index) -> const QtControl* {
    if (index < 0 || static_cast<std::size_t>(index) >= controls_.size()) return nullptr;
    return controls_[static_cast<std::size_t>(index)].get();
  };
  return {
      [control](int index) {
        const QtControl* at = control(index);
        return at != nullptr && at->Kind() != ControlKind::Label &&
               at->Kind() != ControlKind::GroupBox && at->Widget().isEnabled() &&
               !at->Widget().isHidden();
      },
      [control](int index) {
        const QtControl* at = control(index);
        return at != nullptr &&
               (at->Kind() == ControlKind::CheckBox || at->Kind() == ControlKind::RadioButton) &&
               static_cast<const QtCheckControl*>(at)->Check() == BST_CHECKED;
      }};
}

void QtUiWindow::MoveByArrow(int index, int step) {
  const std::optional<int> target = navigation_.ArrowTarget(index, step, States());
  if (!target) return;
  auto& button =
      static_cast<QAbstractButton&>(controls_.at(static_cast<std::size_t>(*target))->Widget());
  button.setFocus(Qt::OtherFocusReason);
  // Last: the click may take the window down.
  button.click();
}

void QtUiWindow::PlaceTabStops(std::size_t group) {
  const ControlStates states = States();
  for (int index : navigation_.Groups().at(group)) {
    controls_.at(static_cast<std::size_t>(index))
        ->Widget()
        .setFocusPolicy(navigation_.IsTabStop(index, states) ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

QWidget& QtUiWindow::HolderOf(std::size_t index, QPoint& origin) const {
  if (std::find(buttonRowIndexes_.begin(), buttonRowIndexes_.end(), index) !=
      buttonRowIndexes_.end()) {
    origin = buttonRowOrigin_;
    return *buttonRow_;
  }
  // A group box is in front of what it holds in template order, so it is built.
  if (const ControlTemplate* group = template_.GroupBoxAround(template_.controls[index])) {
    origin = scale_.ToPixels(group->rect).topLeft();
    return controls_.at(static_cast<std::size_t>(group - template_.controls.data()))->Widget();
  }
  origin = QPoint();
  return *canvas_;
}

QPoint QtUiWindow::OriginOf(const QWidget* holder) const {
  if (holder == nullptr || holder == canvas_) return QPoint();
  if (holder == buttonRow_) return buttonRowOrigin_;
  return Place(*holder).topLeft();
}

QRect QtUiWindow::Place(const QWidget& widget) const {
  return widget.geometry().translated(OriginOf(widget.parentWidget()));
}

void QtUiWindow::SetPlace(QWidget& widget, const QRect& place) const {
  widget.setGeometry(place.translated(-OriginOf(widget.parentWidget())));
}

void QtUiWindow::BuildControls() {
  controls_.reserve(template_.controls.size());
  for (std::size_t i = 0; i < template_.controls.size(); ++i) {
    const ControlTemplate& control = template_.controls[i];
    QPoint origin;
    QWidget& holder = HolderOf(i, origin);
    controls_.push_back(
        MakeControl(control, holder, scale_.ToPixels(control.rect).translated(-origin), channel_));
    QtControl* made = controls_.back().get();
    if (control.id != IDC_STATIC) byId_.try_emplace(control.id, made);
  }
  for (std::size_t group = 0; group < navigation_.Groups().size(); ++group) {
    const std::vector<int>& indexes = navigation_.Groups()[group];
    std::vector<QtCheckControl*> members;
    for (int index : indexes)
      members.push_back(
          &static_cast<QtCheckControl&>(*controls_.at(static_cast<std::size_t>(index))));
    for (std::size_t i = 0; i < members.size(); ++i) {
      members[i]->SetGroup(
          members, [this, index = indexes[i]](int step) { MoveByArrow(index, step); },
          [this, group] { PlaceTabStops(group); });
    }
    PlaceTabStops(group);
  }
  for (const std::unique_ptr<QtControl>& control : controls_) FitCaption(*control);
}

namespace {

// The width the caption needs, or 0 when the rectangle shows it as it is.
int CaptionWidth(const QtControl& control, const QRect& place) {
  const QWidget& widget = control.Widget();
  switch (control.Kind()) {
    case ControlKind::Label: {
      const QString text = static_cast<const QtLabelControl&>(control).ShownText();
      const QFontMetrics metrics(widget.font());
      const QRect wrapped =
          metrics.boundingRect(QRect(0, 0, place.width(), 1 << 20), Qt::TextWordWrap, text);
      if (wrapped.width() <= place.width() && wrapped.height() <= place.height()) return 0;
      return metrics.horizontalAdvance(text) + 1;
    }
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return widget.sizeHint().width();
    default:
      return 0;
  }
}

}  // namespace

// The dialog font is not the Windows font the templates were drawn for, and some of
// its characters are wider for their size: a short label such as "==>" may come out
// a few pixels wider than its rectangle. Windows would cut it; where the room is
// free, it is better shown whole.
void QtUiWindow::FitCaption(QtControl& control) {
  const ControlKind kind = control.Kind();
  if (kind != ControlKind::Label && kind != ControlKind::CheckBox &&
      kind != ControlKind::RadioButton) {
    return;
  }
  const QRect place = scale_.ToPixels(control.Template().rect);
  SetPlace(control.Widget(), place);
  const int needed = CaptionWidth(control, place);
  if (needed <= place.width()) return;
  QRect grown = place;
  if (kind == ControlKind::Label && control.Template().Has(ControlStyle::RightAlign)) {
    grown.setLeft(place.right() + 1 - needed);
  } else {
    grown.setWidth(needed);
  }
  // Within what holds it: the canvas, or the frame of its group box.
  const QWidget* holder = control.Widget().parentWidget();
  const QRect room = holder == canvas_ ? canvas_->rect() : Place(*holder);
  if (!room.contains(grown)) return;
  for (const std::unique_ptr<QtControl>& other : controls_) {
    if (other.get() == &control || other->Kind() == ControlKind::GroupBox) continue;
    const QRect taken = Place(other->Widget());
    if (taken.intersects(grown) && !taken.intersects(place)) return;
  }
  SetPlace(control.Widget(), grown);
}

namespace {

QString ReadCaption(const std::string& caption) {
  std::string read = WithoutMarks(caption);
  while (!read.empty() && (read.back() == ':' || read.back() == ' ')) read.pop_back();
  return ToQString(read);
}

}  // namespace

void QtUiWindow::NameInputs() {
  std::vector<QtControl*> unnamed;
  std::vector<QtControl*> unlabelledPickers;
  int inputs = 0;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (!IsInputKind(control->Kind())) continue;
    ++inputs;
    const ControlTemplate* label =
        control->Id() == IDC_STATIC ? nullptr : template_.LabelFor(control->Id());
    // The controls are in template order.
    auto* buddy =
        label == nullptr
            ? nullptr
            : static_cast<QtLabelControl*>(
                  controls_.at(static_cast<std::size_t>(label - template_.controls.data())).get());
    if (buddy != nullptr) {
      buddy->SetBuddy(&control->Widget());
      control->SetAccessibleName(ReadCaption(buddy->Text()));
    } else if (control->Kind() == ControlKind::DateTimePicker) {
      unlabelledPickers.push_back(control.get());
    } else {
      unnamed.push_back(control.get());
    }
  }
  // The one input of a window is what the window is about.
  if (inputs == 1 && unnamed.size() == 1) unnamed.front()->SetAccessibleName(top_->windowTitle());
  for (QtControl* picker : unlabelledPickers) LabelPicker(*picker);
}

void QtUiWindow::DescribeControls() {
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Id() == IDC_STATIC) continue;
    if (const ControlTemplate* hint = template_.DescriptionFor(control->Id()))
      control->Widget().setAccessibleDescription(ToQString(WithoutMarks(hint->caption)));
  }
}

void QtUiWindow::LabelPicker(QtControl& picker) {
  std::vector<ControlTemplate> others;
  others.reserve(controls_.size());
  for (const std::unique_ptr<QtControl>& other : controls_) others.push_back(other->Template());
  const std::optional<DluRect> place = PickerLabelPlace(picker.Template().rect, others);
  if (!place) return;
  auto& date = static_cast<QtDateTimeControl&>(picker);
  const ControlTemplate label{IDC_STATIC, ControlKind::Label, ToBytes(date.WhatItHolds()) + ":",
                              *place};
  controls_.push_back(MakeControl(label, *canvas_, scale_.ToPixels(*place), channel_));
  date.SetOwnLabel(static_cast<QtLabelControl&>(*controls_.back()));
  FitCaption(*controls_.back());
}

void QtUiWindow::ChooseMnemonics() {
  std::vector<QtControl*> takers;
  std::vector<MnemonicTaker> captions;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (!control->TakesMnemonic()) continue;
    takers.push_back(control.get());
    captions.push_back({control->Kind(), control->Id(), control->Text()});
  }
  const std::vector<MnemonicPlace> chosen = AssignWindowMnemonics(captions, role_);
  for (std::size_t i = 0; i < takers.size(); ++i)
    takers[i]->SetMnemonic({chosen[i].index, chosen[i].own});
}

void QtUiWindow::GuardKeys() {
  auto* guard = new AltKeyGuard(top_);
  for (const std::unique_ptr<QtControl>& control : controls_) {
    const ControlKind kind = control->Kind();
    if (kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
        kind == ControlKind::DateTimePicker) {
      guard->Watch(control->Widget());
    }
    if (kind == ControlKind::ListView && RemoveButton()) {
      static_cast<QtListViewControl&>(*control).SetDeleteHandler([this] {
        if (const std::optional<int> remove = RemoveButton()) ClickUnlessDisabled(*remove);
      });
    }
  }
}

std::optional<int> QtUiWindow::RemoveButton() const {
  std::optional<int> found;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Kind() != ControlKind::PushButton || control->Id() == IDC_STATIC) continue;
    std::string caption = WithoutMarks(control->Text());
    while (!caption.empty() && caption.back() == '.') caption.pop_back();
    for (char& c : caption) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (caption != "remove" && caption != "delete") continue;
    if (found) return std::nullopt;  // which one is meant is not clear
    found = control->Id();
  }
  return found;
}

bool QtUiWindow::FocusFirstField() {
  for (const std::unique_ptr<QtControl>& control : controls_) {
    const ControlKind kind = control->Kind();
    if (kind == ControlKind::Label || kind == ControlKind::GroupBox) continue;
    if (!control->IsEnabled() || !control->TakesFocus()) continue;
    control->Widget().setFocus(Qt::TabFocusReason);
    return true;
  }
  return false;
}

QtUiWindow* QtUiWindow::Holding(const QWidget* widget) {
  if (widget == nullptr) return nullptr;
  for (QtUiWindow* window : LiveWindows()) {
    if (window->top_ && (window->top_ == widget || window->top_->isAncestorOf(widget)))
      return window;
  }
  return nullptr;
}

void QtUiWindow::SayRefused() {
  const QWidget* focus = QApplication::focusWidget();
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Kind() != ControlKind::ListBox || &control->Widget() != focus) continue;
    auto& list = static_cast<QtListBoxControl&>(*control);
    if (list.Selection() < 0) list.SayNothingChosen();
    return;
  }
}

QWidget* QtUiWindow::ControlWidget(int id) const {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : &found->second->Widget();
}

QtControl& QtUiWindow::Find(int id) const {
  auto found = byId_.find(id);
  if (found == byId_.end()) {
    throw std::logic_error("dialog " + std::to_string(template_.id) + " has no control " +
                           std::to_string(id));
  }
  return *found->second;
}

template <class Control>
Control& QtUiWindow::Require(int id, const char* what) const {
  QtControl& control = Find(id);
  auto* typed = dynamic_cast<Control*>(&control);
  if (!typed) {
    throw std::logic_error(control.Describe() + " of dialog " + std::to_string(template_.id) +
                           " is not " + what);
  }
  return *typed;
}

namespace {

constexpr const char* kCheckWhat = "a check box or radio button";
constexpr const char* kItemWhat = "a list box or combo box";
constexpr const char* kListViewWhat = "a list view";
constexpr const char* kPickerWhat = "a date-time picker";

}  // namespace

void QtUiWindow::SetText(int id, std::string_view text) {
  NotifyChannel::Silence quiet(*channel_);
  QtControl& control = Find(id);
  control.SetText(text);
  if (control.TakesMnemonic()) ChooseMnemonics();
  FitCaption(control);
}

void QtUiWindow::MarkWholeNumber(int id) { Find(id).MarkWholeNumber(); }

void QtUiWindow::SetCueBanner(int id, std::string_view text) { Find(id).SetCueBanner(text); }

std::string QtUiWindow::Text(int id) const { return Find(id).Text(); }

std::optional<char32_t> QtUiWindow::UnstorableCharacter(int id) const {
  return Find(id).UnstorableCharacter();
}

void QtUiWindow::SetEnabled(int id, bool enabled) {
  NotifyChannel::Silence quiet(*channel_);
  Find(id).SetEnabled(enabled);
}

bool QtUiWindow::IsEnabled(int id) const { return Find(id).IsEnabled(); }

void QtUiWindow::SetFocus(int id) {
  NotifyChannel::Silence quiet(*channel_);
  Find(id).SetFocus();
}

void QtUiWindow::SetCheck(int id, int state) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtCheckControl>(id, kCheckWhat).SetCheck(state);
}

int QtUiWindow::Check(int id) const { return Require<QtCheckControl>(id, kCheckWhat).Check(); }

int QtUiWindow::AddItem(int id, std::string_view text) {
  NotifyChannel::Silence quiet(*channel_);
  return Require<QtItemListControl>(id, kItemWhat).AddItem(text);
}

int QtUiWindow::InsertItem(int id, int index, std::string_view text) {
  NotifyChannel::Silence quiet(*channel_);
  return Require<QtItemListControl>(id, kItemWhat).InsertItem(index, text);
}

void QtUiWindow::DeleteItem(int id, int index) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtItemListControl>(id, kItemWhat).DeleteItem(index);
}

void QtUiWindow::ResetItems(int id) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtItemListControl>(id, kItemWhat).ResetItems();
}

int QtUiWindow::ItemCount(int id) const {
  return Require<QtItemListControl>(id, kItemWhat).ItemCount();
}

std::string QtUiWindow::ItemText(int id, int index) const {
  return Require<QtItemListControl>(id, kItemWhat).ItemText(index);
}

void QtUiWindow::SetItemData(int id, int index, std::uintptr_t data) {
  Require<QtItemListControl>(id, kItemWhat).SetItemData(index, data);
}

std::uintptr_t QtUiWindow::ItemData(int id, int index) const {
  return Require<QtItemListControl>(id, kItemWhat).ItemData(index);
}

int QtUiWindow::Selection(int id) const {
  return Require<QtItemListControl>(id, kItemWhat).Selection();
}

void QtUiWindow::SetSelection(int id, int index) {
  NotifyChannel::Silence quiet(*channel_);
  if (inCommand_) commandChoseItem_ = true;
  Require<QtItemListControl>(id, kItemWhat).SetSelection(index);
}

void QtUiWindow::AddColumn(int id, std::string_view title, int width, int format) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).AddColumn(title, width, format);
}

unsigned QtUiWindow::ExtendedStyle(int id) const {
  return Require<QtListViewControl>(id, kListViewWhat).ExtendedStyle();
}

void QtUiWindow::SetExtendedStyle(int id, unsigned style) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).SetExtendedStyle(style);
}

int QtUiWindow::InsertRow(int id, int index, const ListViewRow& row) {
  NotifyChannel::Silence quiet(*channel_);
  return Require<QtListViewControl>(id, kListViewWhat).InsertRow(index, row);
}

void QtUiWindow::InsertRows(int id, std::span<const ListViewRow> rows) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).InsertRows(rows);
}

void QtUiWindow::SetCellText(int id, int row, int column, std::string_view text) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).SetCellText(row, column, text);
}

std::string QtUiWindow::CellText(int id, int row, int column) const {
  return Require<QtListViewControl>(id, kListViewWhat).CellText(row, column);
}

int QtUiWindow::RowCount(int id) const {
  return Require<QtListViewControl>(id, kListViewWhat).RowCount();
}

void QtUiWindow::DeleteRows(int id, std::span<const int> rows) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).DeleteRows(rows);
}

void QtUiWindow::DeleteAllRows(int id) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).DeleteAllRows();
}

std::vector<int> QtUiWindow::SelectedRows(int id) const {
  return Require<QtListViewControl>(id, kListViewWhat).SelectedRows();
}

int QtUiWindow::SelectedRowCount(int id) const {
  return Require<QtListViewControl>(id, kListViewWhat).SelectedRowCount();
}

void QtUiWindow::SetRowSelected(int id, int row, bool selected) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtListViewControl>(id, kListViewWhat).SetRowSelected(row, selected);
}

int QtUiWindow::FindRowByPrefix(int id, std::string_view prefix, int start) const {
  return Require<QtListViewControl>(id, kListViewWhat).FindRowByPrefix(prefix, start);
}

DateTimeValue QtUiWindow::DateTime(int id) const {
  return Require<QtDateTimeControl>(id, kPickerWhat).DateTime();
}

void QtUiWindow::SetDateTime(int id, const DateTimeValue& value) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtDateTimeControl>(id, kPickerWhat).SetDateTime(value);
}

void QtUiWindow::SetDateTimeRange(int id, const std::optional<DateTimeValue>& earliest,
                                  const std::optional<DateTimeValue>& latest) {
  NotifyChannel::Silence quiet(*channel_);
  Require<QtDateTimeControl>(id, kPickerWhat).SetRange(earliest, latest);
}

void QtUiWindow::SetDateTimeFormat(int id, std::string_view format) {
  NotifyChannel::Silence quiet(*channel_);
  QtDateTimeControl& picker = Require<QtDateTimeControl>(id, kPickerWhat);
  QtLabelControl* label = picker.OwnLabel();
  const std::string said = label != nullptr ? label->Text() : std::string();
  picker.SetFormat(format);
  if (label != nullptr && label->Text() != said) {
    ChooseMnemonics();
    FitCaption(*label);
  }
}

int QtUiWindow::RunModal() {
  if (role_ != WindowRole::ModalDialog) {
    throw std::logic_error("dialog " + std::to_string(template_.id) +
                           " was not built to run modally");
  }
  if (endedEarly_) {
    const int result = *endedEarly_;
    endedEarly_.reset();
    return result;
  }
  if (!dialog_->isVisible()) {
    FitToScreen(*dialog_);
    if (dialog_->focusWidget() == nullptr) FocusFirstField();
  }
  running_ = true;
  const int result = dialog_->exec();
  running_ = false;
  errors_.RethrowIfAny();
  return result;
}

void QtUiWindow::EndModal(int result) {
  if (running_) {
    dialog_->done(result);
    return;
  }
  endedEarly_ = result;
  if (dialog_) dialog_->hide();
}

void QtUiWindow::ClickUnlessDisabled(int id) {
  auto found = byId_.find(id);
  if (found != byId_.end() && !found->second->IsEnabled()) return;
  channel_->Notify(id, BN_CLICKED);
}

void QtUiWindow::OnEnter() {
  // A push button with the focus takes Enter itself, else the default button, else
  // IDOK, as in a Windows dialog.
  const QWidget* focus = QApplication::focusWidget();
  const QtControl* defaultButton = nullptr;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Kind() != ControlKind::PushButton || control->Id() == IDC_STATIC) continue;
    if (&control->Widget() == focus) return ClickUnlessDisabled(control->Id());
    if (!defaultButton && control->Template().Has(ControlStyle::DefaultButton)) {
      defaultButton = control.get();
    }
  }
  ClickUnlessDisabled(defaultButton ? defaultButton->Id() : IDOK);
}

void QtUiWindow::OnCancel() { ClickUnlessDisabled(IDCANCEL); }

void QtUiWindow::CommandStarts() {
  inCommand_ = true;
  commandChoseItem_ = false;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Kind() == ControlKind::ListView)
      static_cast<QtListViewControl&>(*control).StartCounting();
  }
}

void QtUiWindow::CommandEnded() {
  inCommand_ = false;
  if (commandChoseItem_) return;
  QStringList said;
  for (const std::unique_ptr<QtControl>& control : controls_) {
    if (control->Kind() != ControlKind::ListView) continue;
    const QString text =
        ToQString(RowChangeAnnouncement(RowNounOfName(ToBytes(control->Widget().accessibleName())),
                                        static_cast<QtListViewControl&>(*control).Counted()));
    if (!text.isEmpty()) said.push_back(text);
  }
  if (!said.isEmpty()) status_->Announce(said.join(QStringLiteral("; ")));
}
