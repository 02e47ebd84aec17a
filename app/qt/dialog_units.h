#pragma once
#include <QFont>
#include <QRect>

// Dialog layouts are given in dialog units, which scale with the dialog's
// font: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its character height.
struct DialogBaseUnits {
  int x = 0;  // average character width in pixels
  int y = 0;  // character height in pixels
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// Converts a rectangle in dialog units to pixels by converting its edges,
// each rounded to the nearest pixel, so adjacent controls stay adjacent.
QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base);

// `font`, `factor` times larger, in whichever unit it was given.
QFont ScaledFont(QFont font, qreal factor);
