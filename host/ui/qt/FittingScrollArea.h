#pragma once

#include <QScrollArea>

// A scroll area that asks for room for the whole of its widget, where Qt's asks
// for a few dozen lines at most: a window holding one opens as large as its
// content, and scrolls only when the screen is smaller than that.
class FittingScrollArea final : public QScrollArea {
 public:
  explicit FittingScrollArea(QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

// Sizes a window that is about to be shown to what it asks for, or to the room the
// screen it opens on has, less a window manager's frame, when that is smaller.
void FitToScreen(QWidget& window);
