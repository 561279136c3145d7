#pragma once

#include <QLabel>

#include "ui/qt/QtControl.h"

// Static text, wrapped at word ends like a Windows static control; "&" marks a
// mnemonic and is not shown ("&&" shows one "&").
class QtLabelControl : public QtControl {
 public:
  QtLabelControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                 std::shared_ptr<NotifyChannel> channel);

 protected:
  void ShowText(const std::string& text) override;

 private:
  QLabel* label_;
};
