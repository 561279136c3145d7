#pragma once

#include <QAbstractButton>
#include <vector>

#include "ui/qt/QtControl.h"

// A check box or radio button with its mark. A check box toggles when clicked; an
// automatic radio button marks itself and clears the rest of its group; a plain
// radio button leaves the marks to the window's code. Each click then sends
// BN_CLICKED.
//
// A radio group is one Tab stop, as in a Windows dialog: its checked button, or its
// first enabled one while none is checked. The arrow keys move to the previous or
// next enabled button of the group, round from its ends, and click it; they never
// leave the group.
class QtCheckControl : public QtControl {
 public:
  QtCheckControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                 std::shared_ptr<NotifyChannel> channel);
  ~QtCheckControl() override;

  void SetCheck(int state);
  int Check() const;
  // The radio buttons of this one's group, itself included, in template order.
  void SetGroup(std::vector<QtCheckControl*> group);
  bool TakesMnemonic() const override { return true; }

 protected:
  void ShowText(const std::string& text) override;

 private:
  void OnClicked();
  void MoveInGroup(int step);
  // Gives the group's Tab stop to the button that should have it.
  void PlaceTabStop();

  QAbstractButton* button_;
  std::vector<QtCheckControl*> group_;
};
