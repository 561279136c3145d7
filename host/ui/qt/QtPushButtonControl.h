#pragma once

#include <QPushButton>

#include "ui/qt/QtControl.h"

// A push button: a click sends BN_CLICKED.
class QtPushButtonControl : public QtControl {
 public:
  QtPushButtonControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                      std::shared_ptr<NotifyChannel> channel);

  bool IsDefault() const { return Template().Has(ControlStyle::DefaultButton); }
  bool TakesMnemonic() const override { return true; }

 protected:
  void ShowText(const std::string& text) override;

 private:
  QPushButton* button_;
};
