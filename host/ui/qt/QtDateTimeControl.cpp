#include "ui/qt/QtDateTimeControl.h"

#include "ui/backend/PickerLabel.h"
#include "ui/qt/Latin1.h"
#include "ui/qt/PickerFormat.h"
#include "ui/qt/QtLabelControl.h"

namespace {

QDateTime ToQt(const DateTimeValue& value) {
  return QDateTime(QDate(value.year, value.month, value.day),
                   QTime(value.hour, value.minute, value.second), Qt::UTC);
}

DateTimeValue FromQt(const QDateTime& value) {
  const QDate date = value.date();
  const QTime time = value.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

}  // namespace

QtDateTimeControl::QtDateTimeControl(const ControlTemplate& control, QWidget& parent,
                                     const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new PickerEdit(&parent), geometry, std::move(channel)),
      edit_(static_cast<PickerEdit*>(&Widget())) {
  // UTC only so that no change of the local clock can make a value unrepresentable.
  edit_->setTimeSpec(Qt::UTC);
  edit_->setCalendarPopup(!control.Has(ControlStyle::UpDown));
  edit_->setDisplayFormat(QString::fromLatin1(kShortDateFormat));
  Show(DateTimeValue::Now());
  QtControl::SetAccessibleName(WhatItHolds());
  Listen(edit_, &QDateTimeEdit::dateTimeChanged,
         [channel = SharedChannel(), id = Id()] { channel->Notify(id, DTN_DATETIMECHANGE); });
}

bool QtDateTimeControl::ShowsTime() const {
  return (edit_->displayedSections() & QDateTimeEdit::TimeSections_Mask) != 0;
}

DateTimeValue QtDateTimeControl::Clamp(DateTimeValue value) const {
  if (earliest_ && value < *earliest_) value = *earliest_;
  if (latest_ && value > *latest_) value = *latest_;
  return value;
}

DateTimeValue QtDateTimeControl::DateTime() const {
  DateTimeValue value = FromQt(edit_->dateTime());
  if (!ShowsTime()) {
    value.hour = hidden_.hour;
    value.minute = hidden_.minute;
    value.second = hidden_.second;
  }
  return Clamp(value);
}

void QtDateTimeControl::Show(const DateTimeValue& value) {
  hidden_ = value;
  edit_->setDateTime(ToQt(value));
}

void QtDateTimeControl::SetDateTime(const DateTimeValue& value) {
  if (value.IsValid()) Show(Clamp(value));
}

void QtDateTimeControl::ShowRange() {
  if (earliest_) {
    edit_->setMinimumDateTime(ToQt(*earliest_));
  } else {
    edit_->clearMinimumDateTime();
  }
  if (latest_) {
    edit_->setMaximumDateTime(ToQt(*latest_));
  } else {
    edit_->clearMaximumDateTime();
  }
  edit_->ShowPart();
}

void QtDateTimeControl::SetRange(const std::optional<DateTimeValue>& earliest,
                                 const std::optional<DateTimeValue>& latest) {
  const DateTimeValue value = DateTime();
  if (!earliest || earliest->IsValid()) earliest_ = earliest;
  if (!latest || latest->IsValid()) latest_ = latest;
  ShowRange();
  Show(Clamp(value));
}

void QtDateTimeControl::SetFormat(std::string_view format) {
  const DateTimeValue value = DateTime();
  edit_->setDisplayFormat(format.empty() ? QString::fromLatin1(kShortDateFormat)
                                         : QtPickerFormat(format));
  // A new format may have widened the editor's range to whole days.
  ShowRange();
  Show(value);
  edit_->ShowPart();
  if (!labelled_) NameAfterContent();
}

void QtDateTimeControl::SetOwnLabel(QtLabelControl& label) {
  ownLabel_ = &label;
  label.SetBuddy(&Widget());
  NameAfterContent();
}

void QtDateTimeControl::NameAfterContent() {
  const QString holds = WhatItHolds();
  QtControl::SetAccessibleName(holds);
  if (ownLabel_ != nullptr && ownLabel_->Text() != ToBytes(holds) + ":")
    ownLabel_->SetText(ToBytes(holds) + ":");
}

void QtDateTimeControl::SetAccessibleName(const QString& name) {
  labelled_ = true;
  QtControl::SetAccessibleName(name);
}

QString QtDateTimeControl::WhatItHolds() const {
  const QDateTimeEdit::Sections shown = edit_->displayedSections();
  const bool date = (shown & QDateTimeEdit::DateSections_Mask) != 0;
  const bool time = (shown & QDateTimeEdit::TimeSections_Mask) != 0;
  return ToQString(PickerHolds(date, time, shown == QDateTimeEdit::YearSection));
}
