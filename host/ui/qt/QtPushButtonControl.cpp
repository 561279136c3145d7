#include "ui/qt/QtPushButtonControl.h"

QtPushButtonControl::QtPushButtonControl(const ControlTemplate& control, QWidget& parent,
                                         const QRect& geometry,
                                         std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new QPushButton(&parent), geometry, std::move(channel)),
      button_(static_cast<QPushButton*>(&Widget())) {
  button_->setDefault(control.Has(ControlStyle::DefaultButton));
  ShowText(Text());
  Listen(button_, &QPushButton::clicked,
         [channel = SharedChannel(), id = Id()] { channel->Notify(id, BN_CLICKED); });
}

void QtPushButtonControl::ShowText(const std::string& text) {
  button_->setText(ShownCaption(text));
}
