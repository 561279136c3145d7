#pragma once

#include <QLabel>

#include "ui/qt/QtControl.h"

// Static text, wrapped at word ends like a Windows static control; "&" marks a
// mnemonic ("&&" shows one "&"). A label that names a control is its buddy label:
// it shows the mnemonic, and Alt with that key moves the focus to the control.
// Other labels show no mnemonic.
class QtLabelControl : public QtControl {
 public:
  QtLabelControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                 std::shared_ptr<NotifyChannel> channel);

  void SetBuddy(QWidget* buddy);
  bool TakesMnemonic() const override { return label_->buddy() != nullptr; }
  // The text as read, without its marks.
  QString ShownText() const;

 protected:
  void ShowText(const std::string& text) override;

 private:
  QLabel* label_;
};
