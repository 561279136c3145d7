#include "ui/qt/FittingScrollArea.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

FittingScrollArea::FittingScrollArea(QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The keyboard scrolls it by moving the focus between its controls; a Tab stop of
  // its own would be one with no name and nothing to do.
  setFocusPolicy(Qt::NoFocus);
  focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged, this,
                                 [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

FittingScrollArea::~FittingScrollArea() { QObject::disconnect(focusWatch_); }

void FittingScrollArea::OnFocusChanged(QWidget* now) {
  if (now != nullptr && widget() != nullptr && widget()->isAncestorOf(now))
    ensureWidgetVisible(now);
}

QSize FittingScrollArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  if (widget() == nullptr) return QSize(frame, frame);
  return widget()->size() + QSize(frame, frame);
}

QSize FittingScrollArea::minimumSizeHint() const {
  const int line = fontMetrics().height();
  return QSize(8 * line, 4 * line).boundedTo(sizeHint());
}

void FitToScreen(QWidget& window) {
  QWidget* parent = window.parentWidget();
  QScreen* screen = parent != nullptr ? parent->window()->screen() : window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // The frame is the window manager's and not known before the window is shown:
  // room for a title bar and borders at any usual size.
  const QSize frame(16, 48);
  const QSize room = (screen->availableGeometry().size() - frame).expandedTo(QSize(1, 1));
  const QSize wanted = window.sizeHint().expandedTo(window.minimumSizeHint());
  window.resize(wanted.boundedTo(room));
}
