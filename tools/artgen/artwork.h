#pragma once
// Every picture of the game, drawn in code at the size it is shown.
#include "tools/artgen/raster.h"
#include "tools/artgen/rgba_image.h"

namespace artgen {

Picture DrawBackWall();          // back.bmp, 215 x 368, opaque
Picture DrawCabinetBase();       // base.bmp, 217 x 240
Picture DrawPusherTable();       // bar.bmp, 189 x 103, shown stretched 181..191 x 87..107
Picture DrawUpperCabinet();      // top.bmp, 165 x 162, opaque, carries the prize board
Picture DrawGate();              // move.bmp, 25 x 20
Picture DrawFallingCoin();       // coin.bmp, 15 x 15
Picture DrawLyingCoin();         // coin2.bmp, 15 x 15
Picture DrawMagicFigure();       // magic.bmp, 46 x 84
Picture DrawSweeper(int frame);  // clean.bmp (0) and clean2.bmp (1), 46 x 84
Picture DrawBonusMarker();       // bonus.bmp, 22 x 39

// The application icon at any square size, with soft edges.
RgbaImage DrawAppIcon(int size);
// The same coin on an opaque square, within the circle a home screen's mask
// of any shape leaves whole.
RgbaImage DrawMaskableAppIcon(int size);

}  // namespace artgen
