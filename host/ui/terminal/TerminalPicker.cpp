#include "ui/terminal/TerminalPicker.h"

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

TerminalPicker::TerminalPicker(const ControlTemplate& control, TerminalWindow& window)
    : TerminalControl(control, window), text_(PickerParts::Date) {
  Show(DateTimeValue::Now());
}

DateTimeValue TerminalPicker::Clamp(DateTimeValue value) const {
  if (earliest_ && value < *earliest_) value = *earliest_;
  if (latest_ && value > *latest_) value = *latest_;
  return value;
}

void TerminalPicker::Show(const DateTimeValue& value) {
  value_ = value;
  typed_ = text_.Show(value_);
  column_ = std::min(column_, text_.Length());
}

DateTimeValue TerminalPicker::DateTime() const { return Clamp(value_); }

void TerminalPicker::SetDateTime(const DateTimeValue& value) {
  if (value.IsValid()) Show(Clamp(value));
}

void TerminalPicker::SetRange(const std::optional<DateTimeValue>& earliest,
                              const std::optional<DateTimeValue>& latest) {
  if (!earliest || earliest->IsValid()) earliest_ = earliest;
  if (!latest || latest->IsValid()) latest_ = latest;
  Show(Clamp(value_));
}

void TerminalPicker::SetFormat(std::string_view format) {
  text_ = PickerText(PartsOfFormat(format));
  column_ = 0;
  Show(value_);
}

void TerminalPicker::Draw(const Painter& painter, bool focused) const {
  const CellRect& cells = Cells();
  const Look look = !IsEnabled() ? Look::Disabled : focused ? Look::FieldFocused : Look::Field;
  painter.Text(cells.x, cells.y, FromLatin1(typed_), look, cells.width, true);
  // A text that names no value in the range is marked, not only coloured.
  if (typed_ != text_.Show(value_) && text_.Length() + 1 < cells.width)
    painter.Put(cells.x + text_.Length() + 1, cells.y, U'?', look);
}

void TerminalPicker::TakeTyped() {
  const std::optional<DateTimeValue> typed = text_.Parse(typed_, value_);
  if (!typed) return;
  if (Clamp(*typed) != *typed) {
    Window().Tell("Out of range: " + Range(), true);
    return;
  }
  if (*typed == value_) return;
  value_ = *typed;
  Window().UserNotify(Id(), DTN_DATETIMECHANGE);
}

void TerminalPicker::ChangeByUser(const DateTimeValue& value) {
  const DateTimeValue clamped = Clamp(value);
  const bool changed = clamped != value_;
  Show(clamped);
  if (changed) Window().UserNotify(Id(), DTN_DATETIMECHANGE);
}

std::string TerminalPicker::Range() const {
  const std::string from = earliest_ ? text_.Show(*earliest_) : "the first";
  const std::string to = latest_ ? text_.Show(*latest_) : "the last";
  return "from " + from + " to " + to;
}

bool TerminalPicker::HandleKey(const TerminalKey& key) {
  if (key.alt || key.ctrl) return false;
  if (key.IsText() && key.ch >= U'0' && key.ch <= U'9') {
    // Past the last digit, the next one starts the text again.
    if (column_ >= text_.Length()) column_ = 0;
    typed_[static_cast<std::size_t>(column_)] = static_cast<char>(key.ch);
    const int next = text_.NextDigit(column_, 1);
    column_ = next == column_ ? text_.Length() : next;
    TakeTyped();
    return true;
  }
  const int part = text_.PartAt(std::min(column_, text_.Length() - 1));
  const bool up = (key.IsText() && key.ch == U'+') || key.code == KeyCode::Up;
  const bool down = (key.IsText() && key.ch == U'-') || key.code == KeyCode::Down;
  if (up || down) {
    ChangeByUser(text_.Step(value_, part, up ? 1 : -1));
    return true;
  }
  if (key.IsText()) {
    Window().Tell("", true);
    return true;
  }
  switch (key.code) {
    case KeyCode::Left:
    case KeyCode::Backspace:
      column_ = column_ >= text_.Length() ? text_.Length() - 1 : text_.NextDigit(column_, -1);
      return true;
    case KeyCode::Right:
      if (column_ < text_.Length()) {
        const int next = text_.NextDigit(column_, 1);
        column_ = next == column_ ? text_.Length() : next;
      }
      return true;
    case KeyCode::Home:
      column_ = 0;
      return true;
    case KeyCode::End:
      column_ = text_.Length();
      return true;
    default:
      return false;
  }
}

void TerminalPicker::FocusLeft() { Show(value_); }

std::string TerminalPicker::Hints() const {
  const std::string keys = text_.Parts() == PickerParts::Year
                               ? "type the year, + - change"
                               : "type YYYY-MM-DD, Left Right part, + - change";
  // The range, for whoever cannot see a value refused: what a screen reader reads
  // of the picker is the status line.
  return earliest_ || latest_ ? keys + ", " + Range() : keys;
}
