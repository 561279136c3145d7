#include "ui/qt/PlainRadioButton.h"

#include <QEvent>
#include <QKeyEvent>

void PlainRadioButton::checkStateSet() {
  QRadioButton::checkStateSet();
  Changed();
}

void PlainRadioButton::changeEvent(QEvent* event) {
  QRadioButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) Changed();
}

void PlainRadioButton::Changed() {
  if (onChange_) onChange_();
}

void PlainRadioButton::keyPressEvent(QKeyEvent* event) {
  int step = 0;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      step = -1;
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      step = 1;
      break;
    default:
      break;
  }
  if (step == 0 || (event->modifiers() & ~Qt::KeypadModifier) != 0 || !onArrow_) {
    QRadioButton::keyPressEvent(event);
    return;
  }
  event->accept();
  // Through a copy: the click it makes may take the button down.
  const std::function<void(int)> handler = onArrow_;
  handler(step);
}
