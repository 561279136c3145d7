#include "ui/qt/AltKeyGuard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

void AltKeyGuard::Watch(QWidget& widget) {
  widget.installEventFilter(this);
  for (QLineEdit* edit : widget.findChildren<QLineEdit*>()) edit->installEventFilter(this);
}

bool AltKeyGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<const QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers =
      key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const QString text = key->text();
  return modifiers == Qt::AltModifier && !text.isEmpty() && text.front().isPrint();
}
