#pragma once

#include <QRadioButton>

// A radio button that does not change its own mark when clicked: the window decides
// the marks of its radio buttons, as Windows lets a dialog do.
class PlainRadioButton : public QRadioButton {
 public:
  explicit PlainRadioButton(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

 protected:
  void nextCheckState() override {}
};
