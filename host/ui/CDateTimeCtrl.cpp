#include "ui/CDateTimeCtrl.h"

#include <optional>

#include "ui/backend/UiWindow.h"

CDateTimeCtrl::~CDateTimeCtrl() = default;

DateTimeValue CDateTimeCtrl::GetTime() const { return BoundWindow().DateTime(BoundId()); }

void CDateTimeCtrl::SetTime(const DateTimeValue& value) {
  BoundWindow().SetDateTime(BoundId(), value);
}

void CDateTimeCtrl::SetRange(const DateTimeValue* earliest, const DateTimeValue* latest) {
  auto optional = [](const DateTimeValue* value) {
    return value ? std::optional<DateTimeValue>(*value) : std::nullopt;
  };
  BoundWindow().SetDateTimeRange(BoundId(), optional(earliest), optional(latest));
}

void CDateTimeCtrl::SetFormat(std::string_view format) {
  BoundWindow().SetDateTimeFormat(BoundId(), format);
}
