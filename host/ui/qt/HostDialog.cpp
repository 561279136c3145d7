#include "ui/qt/HostDialog.h"

#include <QKeyEvent>

void HostDialog::SetKeyHandlers(std::function<void()> onEnter, std::function<void()> onCancel) {
  onEnter_ = std::move(onEnter);
  onCancel_ = std::move(onCancel);
}

// The handlers are called through copies: the window may drop them, or go away,
// while they run.
void HostDialog::reject() {
  if (const std::function<void()> handler = onCancel_) handler();
}

void HostDialog::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier &&
      (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    if (const std::function<void()> handler = onEnter_) handler();
    return;
  }
  QDialog::keyPressEvent(event);
}
