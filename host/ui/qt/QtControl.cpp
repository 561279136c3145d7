#include "ui/qt/QtControl.h"

QtControl::QtControl(const ControlTemplate& control, QWidget& widget, const QRect& geometry,
                     std::shared_ptr<NotifyChannel> channel)
    : template_(control), widget_(&widget), channel_(std::move(channel)), text_(control.caption) {
  widget_->setGeometry(geometry);
  widget_->setEnabled(!control.Has(ControlStyle::Disabled));
}

QtControl::~QtControl() {
  for (const QMetaObject::Connection& connection : connections_) QObject::disconnect(connection);
}

std::string QtControl::Describe() const {
  return "control " + std::to_string(Id()) + " (" + ControlKindName(Kind()) + ")";
}

void QtControl::SetText(std::string_view text) {
  text_ = text;
  ShowText(text_);
}

std::string QtControl::Text() const { return text_; }

void QtControl::ShowText(const std::string&) {}

void QtControl::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

bool QtControl::IsEnabled() const { return widget_->isEnabledTo(widget_->parentWidget()); }

void QtControl::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }
