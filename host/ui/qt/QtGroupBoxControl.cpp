#include "ui/qt/QtGroupBoxControl.h"

#include "ui/qt/Latin1.h"

QtGroupBoxControl::QtGroupBoxControl(const ControlTemplate& control, QWidget& parent,
                                     const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new QGroupBox(&parent), geometry, std::move(channel)),
      box_(static_cast<QGroupBox*>(&Widget())) {
  box_->setFocusPolicy(Qt::NoFocus);
  box_->lower();
  ShowText(Text());
}

void QtGroupBoxControl::ShowText(const std::string& text) { box_->setTitle(ToQString(text)); }
