#include "ui/qt/QtControl.h"

#include "ui/qt/Latin1.h"

namespace {

constexpr const char* kIdProperty = "hcdControlId";

}  // namespace

QtControl::QtControl(const ControlTemplate& control, QWidget& widget, const QRect& geometry,
                     std::shared_ptr<NotifyChannel> channel)
    : template_(control), widget_(&widget), channel_(std::move(channel)), text_(control.caption) {
  widget_->setGeometry(geometry);
  widget_->setEnabled(!control.Has(ControlStyle::Disabled));
  widget_->setProperty(kIdProperty, control.id);
}

int QtControl::IdOf(const QWidget* widget, const QWidget* top) {
  for (; widget != nullptr && widget != top; widget = widget->parentWidget()) {
    const QVariant id = widget->property(kIdProperty);
    if (id.isValid()) return id.toInt();
  }
  return 0;
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

bool QtControl::TakesFocus() const { return (widget_->focusPolicy() & Qt::TabFocus) != 0; }

void QtControl::SetMnemonic(const Mnemonic& mnemonic) {
  mnemonic_ = mnemonic;
  ShowText(text_);
}

void QtControl::SetAccessibleName(const QString& name) { widget_->setAccessibleName(name); }

QString QtControl::ShownCaption(const std::string& text) const {
  return ToQString(WithMnemonic(text, mnemonic_));
}
