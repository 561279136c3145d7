#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "ui/ControlTemplate.h"
#include "ui/DialogTemplate.h"

// Dialog units to pixels, as Windows converts them: x and width in quarters of the
// font's average character width, y and height in eighths of its character height.
class DialogUnitScale {
 public:
  DialogUnitScale(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}
  // The base units of the font, measured the way Windows measures a dialog font.
  static DialogUnitScale ForFont(const QFont& font);

  int BaseX() const { return baseX_; }
  int BaseY() const { return baseY_; }
  int X(int dialogUnits) const;
  int Y(int dialogUnits) const;
  QRect ToPixels(const DluRect& rect) const;
  QSize ToPixels(int width, int height) const { return QSize(X(width), Y(height)); }

 private:
  int baseX_;
  int baseY_;
};

// The font every window of a template is shown in. Templates name a Windows font at
// 8 points; on a desktop the desktop's own font stands in for it, as a person chose
// it there. Where the look is fixed (SharedApplication::LookIsFixed) DejaVu Sans does,
// so that windows and their pictures come out the same everywhere, one point larger
// than the template asks: the size at which it reads as clearly on screen as the
// Windows dialog font at its own.
QFont DialogFont(const DialogTemplate& dialog);
