#pragma once

#include <QAbstractButton>
#include <functional>
#include <vector>

#include "ui/qt/QtControl.h"

// A check box or radio button with its mark. A check box toggles when clicked; an
// automatic radio button marks itself and clears the rest of its group; a plain
// radio button leaves the marks to the window's code. Each click then sends
// BN_CLICKED.
//
// Where Tab stops in a radio group and where its arrow keys go, the window decides
// (see DialogNavigation): the button only asks it when an arrow is pressed and
// when its mark or its being enabled changes.
class QtCheckControl : public QtControl {
 public:
  QtCheckControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                 std::shared_ptr<NotifyChannel> channel);
  ~QtCheckControl() override;

  void SetCheck(int state);
  int Check() const;
  // The radio buttons of this one's group, itself included, in template order; what
  // an arrow key does (-1 for Up and Left, +1 for Down and Right), and what places
  // the group's Tab stops again after a change.
  void SetGroup(std::vector<QtCheckControl*> group, std::function<void(int step)> onArrow,
                std::function<void()> placeTabStops);
  bool TakesMnemonic() const override { return true; }

 protected:
  void ShowText(const std::string& text) override;

 private:
  void OnClicked();

  QAbstractButton* button_;
  std::vector<QtCheckControl*> group_;
};
