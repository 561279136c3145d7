#pragma once

#include <QScrollArea>

// A scroll area that asks for room for the whole of its widget, where Qt's asks
// for a few dozen lines at most: a window holding one opens as large as its
// content, and scrolls only when the screen is smaller than that. A control that
// takes the focus in any way, a mnemonic too, is scrolled into sight.
class FittingScrollArea final : public QScrollArea {
 public:
  explicit FittingScrollArea(QWidget* parent);
  ~FittingScrollArea() override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  void OnFocusChanged(QWidget* now);

  // Cut when this part of the object goes: its widgets still change the focus
  // while the base classes take them down.
  QMetaObject::Connection focusWatch_;
};

// Sizes a window that is about to be shown to what it asks for, or to the room the
// screen it opens on has, less a window manager's frame, when that is smaller.
void FitToScreen(QWidget& window);
