#include "ui/qt/QtEditControl.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolTip>
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
  Listen(edit_, &QLineEdit::inputRejected, [this] { OnRefused(); });
}

// A character the field does not take is never dropped without a word: the tip a
// Windows number field shows, at the text cursor, and the same for a screen reader.
void QtEditControl::OnRefused() {
  const QString title = QString::fromLatin1(kUnacceptableTitle);
  const QString text = QString::fromLatin1(kUnacceptableText);
  const QPoint caret(
      edit_->fontMetrics().horizontalAdvance(edit_->displayText().left(edit_->cursorPosition())),
      edit_->height() / 2);
  QToolTip::showText(edit_->mapToGlobal(caret), QStringLiteral("<b>%1</b><br>%2").arg(title, text),
                     edit_);
  Announce(title + QStringLiteral(": ") + text);
}
