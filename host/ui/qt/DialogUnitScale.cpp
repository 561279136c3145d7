#include "ui/qt/DialogUnitScale.h"

#include <QApplication>
#include <QFontMetrics>

#include "ui/qt/SharedApplication.h"

namespace {

// MulDiv: rounded to the nearest pixel, halves away from zero.
int Scale(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

}  // namespace

DialogUnitScale DialogUnitScale::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width Windows uses for dialog units: of the 52 letters, rounded.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnitScale((letters / 26 + 1) / 2, metrics.height());
}

int DialogUnitScale::X(int dialogUnits) const { return Scale(dialogUnits, baseX_, 4); }

int DialogUnitScale::Y(int dialogUnits) const { return Scale(dialogUnits, baseY_, 8); }

QRect DialogUnitScale::ToPixels(const DluRect& rect) const {
  const int left = X(rect.x);
  const int top = Y(rect.y);
  return QRect(left, top, X(rect.Right()) - left, Y(rect.Bottom()) - top);
}

QFont DialogFont(const DialogTemplate& dialog) {
  const int points = dialog.fontPointSize > 0 ? dialog.fontPointSize + 1 : 9;
  if (SharedApplication::LookIsFixed()) return SharedApplication::FixedFont(points);
  // The desktop's font, larger or smaller as the template's is than the usual 8
  // points.
  QFont font = QApplication::font();
  if (points != 9 && font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * points / 9.0);
  return font;
}
