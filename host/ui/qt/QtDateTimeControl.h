#pragma once

#include <optional>

#include "ui/DateTimeValue.h"
#include "ui/qt/PickerEdit.h"
#include "ui/qt/QtControl.h"

class QtLabelControl;

// A date-time picker: a drop-down calendar, or spin buttons with
// ControlStyle::UpDown. Values are plain fields, kept free of time zones; the
// user's changes send DTN_DATETIMECHANGE. Qt's editor drops the time of day when
// its format shows none, so the control keeps the value and the range itself and
// lets the editor show and change what its format shows. A picker no label of the
// template names is named after what its format shows ("Date", "Year"), by a label
// of the window's own where the window has room for one (see SetOwnLabel).
class QtDateTimeControl : public QtControl {
 public:
  QtDateTimeControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                    std::shared_ptr<NotifyChannel> channel);

  DateTimeValue DateTime() const;
  // An invalid value is ignored, as Windows refuses it; one outside the range is
  // moved to its nearer end.
  void SetDateTime(const DateTimeValue& value);
  // Either end may be absent for no limit; an invalid end is ignored.
  void SetRange(const std::optional<DateTimeValue>& earliest,
                const std::optional<DateTimeValue>& latest);
  void SetFormat(std::string_view format);
  void SetAccessibleName(const QString& name) override;
  // What its format shows: "Date", "Year", "Time" or "Date and time".
  QString WhatItHolds() const;
  // A label the window made for a picker the template names by none; it says what
  // the picker holds, and follows its format.
  void SetOwnLabel(QtLabelControl& label);
  QtLabelControl* OwnLabel() const { return ownLabel_; }

 private:
  bool ShowsTime() const;
  // Names the picker, and its own label, after what it holds.
  void NameAfterContent();
  DateTimeValue Clamp(DateTimeValue value) const;
  void ShowRange();
  void Show(const DateTimeValue& value);

  PickerEdit* edit_;
  DateTimeValue hidden_;  // the value's time of day while the format shows none
  std::optional<DateTimeValue> earliest_;
  std::optional<DateTimeValue> latest_;
  bool labelled_ = false;
  QtLabelControl* ownLabel_ = nullptr;
};
