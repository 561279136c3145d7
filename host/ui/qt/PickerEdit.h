#pragma once

#include <QDateTimeEdit>

// The editor of a date-time picker, with the keyboard of a dialog: Tab and
// Shift+Tab leave it for the next and previous control, where Qt's editor takes them
// to move between its parts (Left and Right do that here, Up and Down change the
// part under the cursor).
//
// Its value, as a screen reader reads it, is the part under the cursor, with that
// part's range: the year and the years the picker allows, the month from 1 to 12,
// the day from 1 to the month's last, and so on. Qt's editor tells a value of 0 from
// 0 to 0: its accessibility reads properties named "value", "minimum" and "maximum"
// that a date editor does not have, so this one keeps them as dynamic properties, and
// takes a value set on "value" as the user's change of that part.
class PickerEdit final : public QDateTimeEdit {
 public:
  explicit PickerEdit(QWidget* parent);

  // Tells the part under the cursor again, after a change of range or format.
  void ShowPart();

 protected:
  bool focusNextPrevChild(bool next) override;
  bool event(QEvent* event) override;

 private:
  struct Part {
    Section section;
    int value;
    int minimum;
    int maximum;
  };

  Part PartAtCursor() const;
  void SetPart(int value);

  bool showing_ = false;
};
