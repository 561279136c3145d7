#include "ui/qt/QtEditControl.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <limits>

#include "ui/qt/Latin1.h"

QtEditControl::QtEditControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                             std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new QLineEdit(&parent), geometry, std::move(channel)),
      edit_(static_cast<QLineEdit*>(&Widget())) {
  // A text set from code is never cut short.
  edit_->setMaxLength(std::numeric_limits<int>::max());
  if (control.Has(ControlStyle::Password)) edit_->setEchoMode(QLineEdit::Password);
  edit_->setReadOnly(control.Has(ControlStyle::ReadOnly));
  Listen(edit_, &QLineEdit::textEdited,
         [channel = SharedChannel(), id = Id()] { channel->Notify(id, EN_CHANGE); });
}

void QtEditControl::SetText(std::string_view text) { edit_->setText(ToQString(text)); }

std::string QtEditControl::Text() const { return ToBytes(edit_->text()); }

std::optional<char32_t> QtEditControl::UnstorableCharacter() const {
  return FirstBeyondLatin1(edit_->text());
}

void QtEditControl::SetCueBanner(std::string_view text) {
  edit_->setPlaceholderText(ToQString(text));
}

// Blanks are allowed around the number, as the exchange reads them; whether the
// number fits is the exchange's to say, with a message naming the field.
void QtEditControl::MarkWholeNumber() {
  if (edit_->validator() != nullptr) return;
  const QRegularExpression wholeNumber(QStringLiteral("[ \\t]*[+-]?[0-9]*[ \\t]*"));
  edit_->setValidator(new QRegularExpressionValidator(wholeNumber, edit_));
}
