#pragma once

#include <QAbstractButton>
#include <vector>

#include "ui/qt/QtControl.h"

// A check box or radio button with its mark. A check box toggles when clicked; an
// automatic radio button marks itself and clears the rest of its group; a plain
// radio button leaves the marks to the window's code. Each click then sends
// BN_CLICKED.
class QtCheckControl : public QtControl {
 public:
  QtCheckControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                 std::shared_ptr<NotifyChannel> channel);

  void SetCheck(int state);
  int Check() const;
  // The radio buttons of this one's group, itself included.
  void SetGroup(std::vector<QtCheckControl*> group) { group_ = std::move(group); }
  bool TakesMnemonic() const override { return true; }

 protected:
  void ShowText(const std::string& text) override;

 private:
  void OnClicked();

  QAbstractButton* button_;
  std::vector<QtCheckControl*> group_;
};
