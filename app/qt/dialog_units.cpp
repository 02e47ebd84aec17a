#include "app/qt/dialog_units.h"

#include <QFontMetrics>

namespace {

// a * b / c rounded half away from zero, as the original layout arithmetic did.
int ScaleRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average over both alphabets, halved with rounding, matches how the
  // layouts were sized; a font's own "average width" is often far narrower.
  const int alphabets =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogBaseUnits base;
  base.x = (alphabets / 26 + 1) / 2;
  base.y = metrics.height();
  return base;
}

QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base) {
  const int left = ScaleRounded(units.x(), base.x, 4);
  const int top = ScaleRounded(units.y(), base.y, 8);
  const int right = ScaleRounded(units.x() + units.width(), base.x, 4);
  const int bottom = ScaleRounded(units.y() + units.height(), base.y, 8);
  return QRect(left, top, right - left, bottom - top);
}

QFont ScaledFont(QFont font, qreal factor) {
  if (font.pixelSize() > 0)
    font.setPixelSize(qRound(font.pixelSize() * factor));
  else
    font.setPointSizeF(font.pointSizeF() * factor);
  return font;
}
