#pragma once

#include <QRadioButton>
#include <functional>

// A radio button that does not change its own mark when clicked: the window decides
// the marks of its radio buttons, as Windows lets a dialog do. The arrow keys are
// its group's (see SetArrowHandler), never a way out of it; the group hears of every
// change of its mark and of its being enabled.
class PlainRadioButton : public QRadioButton {
 public:
  explicit PlainRadioButton(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

  // Called with -1 for Up and Left, +1 for Down and Right.
  void SetArrowHandler(std::function<void(int step)> handler) { onArrow_ = std::move(handler); }
  // Called when the mark changes or the button is enabled or disabled.
  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

 protected:
  void nextCheckState() override {}
  void checkStateSet() override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Changed();

  std::function<void(int)> onArrow_;
  std::function<void()> onChange_;
};
