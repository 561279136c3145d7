#pragma once

#include <string_view>

#include "ui/CWnd.h"
#include "ui/DateTimeValue.h"

// A date-time picker.
class CDateTimeCtrl : public CWnd {
 public:
  ~CDateTimeCtrl() override;

  DateTimeValue GetTime() const;
  // Moved into the range when outside it.
  void SetTime(const DateTimeValue& value);
  // Either end may be null for no limit.
  void SetRange(const DateTimeValue* earliest, const DateTimeValue* latest);
  // Letters of the Windows picker: "yyy" shows the full year alone.
  void SetFormat(std::string_view format);
};
