#include "ui/qt/QtLabelControl.h"

#include "ui/qt/Latin1.h"

namespace {

QString WithoutMnemonics(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return ToQString(shown);
}

}  // namespace

QtLabelControl::QtLabelControl(const ControlTemplate& control, QWidget& parent,
                               const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new QLabel(&parent), geometry, std::move(channel)),
      label_(static_cast<QLabel*>(&Widget())) {
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignTop |
                       (control.Has(ControlStyle::RightAlign) ? Qt::AlignRight : Qt::AlignLeft));
  ShowText(Text());
}

void QtLabelControl::ShowText(const std::string& text) { label_->setText(WithoutMnemonics(text)); }
