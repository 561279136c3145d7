#include "ui/qt/PickerEdit.h"

#include <QDynamicPropertyChangeEvent>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr const char* kValue = "value";
constexpr const char* kMinimum = "minimum";
constexpr const char* kMaximum = "maximum";
constexpr const char* kStep = "stepSize";

}  // namespace

PickerEdit::PickerEdit(QWidget* parent) : QDateTimeEdit(parent) {
  connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] { ShowPart(); });
  connect(lineEdit(), &QLineEdit::cursorPositionChanged, this, [this] { ShowPart(); });
  ShowPart();
}

bool PickerEdit::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

PickerEdit::Part PickerEdit::PartAtCursor() const {
  Section section = currentSection();
  if (section == NoSection && sectionCount() > 0) section = sectionAt(0);
  const QDate date = this->date();
  const QTime time = this->time();
  switch (section) {
    case YearSection:
      return {section, date.year(), minimumDate().year(), maximumDate().year()};
    case MonthSection:
      return {section, date.month(), 1, 12};
    case DaySection:
      return {section, date.day(), 1, date.daysInMonth()};
    case HourSection:
      return {section, time.hour(), 0, 23};
    case MinuteSection:
      return {section, time.minute(), 0, 59};
    case SecondSection:
      return {section, time.second(), 0, 59};
    case MSecSection:
      return {section, time.msec(), 0, 999};
    case AmPmSection:
      return {section, time.hour() < 12 ? 0 : 1, 0, 1};
    default:
      return {NoSection, 0, 0, 0};
  }
}

void PickerEdit::ShowPart() {
  const Part part = PartAtCursor();
  showing_ = true;
  setProperty(kValue, part.value);
  setProperty(kMinimum, part.minimum);
  setProperty(kMaximum, part.maximum);
  setProperty(kStep, 1);
  showing_ = false;
}

void PickerEdit::SetPart(int value) {
  const Part part = PartAtCursor();
  value = std::clamp(value, part.minimum, part.maximum);
  const QDate date = this->date();
  QTime time = this->time();
  QDate changed = date;
  const auto onDay = [](int year, int month, int day) {
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
  };
  switch (part.section) {
    case YearSection:
      changed = onDay(value, date.month(), date.day());
      break;
    case MonthSection:
      changed = onDay(date.year(), value, date.day());
      break;
    case DaySection:
      changed = QDate(date.year(), date.month(), value);
      break;
    case HourSection:
      time.setHMS(value, time.minute(), time.second(), time.msec());
      break;
    case MinuteSection:
      time.setHMS(time.hour(), value, time.second(), time.msec());
      break;
    case SecondSection:
      time.setHMS(time.hour(), time.minute(), value, time.msec());
      break;
    case MSecSection:
      time.setHMS(time.hour(), time.minute(), time.second(), value);
      break;
    case AmPmSection:
      time.setHMS(time.hour() % 12 + 12 * value, time.minute(), time.second(), time.msec());
      break;
    default:
      break;
  }
  setDateTime(QDateTime(changed, time, dateTime().timeSpec()));
  // A value the range refused leaves the picker as it was: what is read is still true.
  ShowPart();
}

bool PickerEdit::event(QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange && !showing_ &&
      static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == kValue) {
    SetPart(property(kValue).toInt());
    return true;
  }
  return QDateTimeEdit::event(event);
}
