#pragma once

#include <QGroupBox>

#include "ui/qt/QtControl.h"

// A frame with a caption. It contains nothing: the controls it surrounds are its
// siblings, drawn above it.
class QtGroupBoxControl : public QtControl {
 public:
  QtGroupBoxControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                    std::shared_ptr<NotifyChannel> channel);

 protected:
  void ShowText(const std::string& text) override;

 private:
  QGroupBox* box_;
};
