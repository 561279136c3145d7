#include "ui/qt/QtLabelControl.h"

#include "ui/qt/Latin1.h"

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

void QtLabelControl::SetBuddy(QWidget* buddy) {
  label_->setBuddy(buddy);
  ShowText(Text());
}

QString QtLabelControl::ShownText() const { return ToQString(WithoutMarks(Text())); }

// Without a buddy Qt would show the marks as they are.
void QtLabelControl::ShowText(const std::string& text) {
  label_->setText(label_->buddy() != nullptr ? ShownCaption(text) : ToQString(WithoutMarks(text)));
}
