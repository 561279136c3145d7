#pragma once

#include <optional>
#include <string>

#include "ui/DateTimeValue.h"
#include "ui/terminal/PickerText.h"
#include "ui/terminal/TerminalControl.h"

// A date-time picker as a field of digits: "2024-06-05", or the year alone. Digits
// typed overwrite the one under the cursor, which then moves on; Left and Right go
// from digit to digit; + and - (or Up and Down) step the part under the cursor. The
// value changes, and the page hears of it, once the text names a date inside the
// picker's range; a text left unfinished goes back to the value when the focus
// leaves.
class TerminalPicker final : public TerminalControl {
 public:
  TerminalPicker(const ControlTemplate& control, TerminalWindow& window);

  DateTimeValue DateTime() const;
  void SetDateTime(const DateTimeValue& value);
  void SetRange(const std::optional<DateTimeValue>& earliest,
                const std::optional<DateTimeValue>& latest);
  void SetFormat(std::string_view format);
  PickerParts Parts() const { return text_.Parts(); }

  bool TakesFocus() const override { return true; }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override { return {Cells().x + column_, Cells().y}; }
  bool HandleKey(const TerminalKey& key) override;
  void FocusLeft() override;
  std::string Hints() const override;

 private:
  DateTimeValue Clamp(DateTimeValue value) const;
  void Show(const DateTimeValue& value);
  // Takes the value the typed text names, when it names one inside the range.
  void TakeTyped();
  void ChangeByUser(const DateTimeValue& value);
  std::string Range() const;

  PickerText text_;
  DateTimeValue value_;
  std::optional<DateTimeValue> earliest_;
  std::optional<DateTimeValue> latest_;
  std::string typed_;
  // The column of the text the cursor is on; its length once the last digit is
  // typed, when the next digit starts the text again.
  int column_ = 0;
};
