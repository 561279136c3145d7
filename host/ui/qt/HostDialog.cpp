#include "ui/qt/HostDialog.h"

#include <QKeyEvent>

void HostDialog::SetKeyHandlers(std::function<void()> onEnter, std::function<void()> onCancel) {
  onEnter_ = std::move(onEnter);
  onCancel_ = std::move(onCancel);
}

void HostDialog::reject() {
  if (onCancel_) onCancel_();
}

void HostDialog::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier &&
      (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    if (onEnter_) onEnter_();
    return;
  }
  QDialog::keyPressEvent(event);
}
