// bonus.bmp: drawn over a bonus coin at (coinX - 3, coinY - 24), so the coin
// sits at x 3..17, y 24..38 of this picture. A red "x50" tag and a gold arrow
// point down at it; small sparkles flank it. The coin itself stays visible.
#include <string>

#include "game/constants.h"
#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"
#include "tools/artgen/pixel_font.h"

namespace artgen {

namespace {

void Sparkle(Picture& p, int x, int y, Rgb c) {
  p.Set(x, y, kWhite);
  p.Set(x - 1, y, c);
  p.Set(x + 1, y, c);
  p.Set(x, y - 1, c);
  p.Set(x, y + 1, c);
}

}  // namespace

Picture DrawBonusMarker() {
  Picture p(asset::kBonusMarkerPicture.width, asset::kBonusMarkerPicture.height);
  // The tag.
  p.FillRect(2, 0, 18, 10, colour::kGoldDark);
  p.FillRect(3, 1, 16, 8, Rgb{200, 24, 40});
  p.FillRect(3, 1, 16, 1, Rgb{255, 110, 110});
  const std::string tag = "x" + std::to_string(kBonusCoinCredits);
  DrawText(p, 3 + (16 - TextWidth(tag)) / 2, 3, tag, colour::kGoldLight);
  // The arrow, its tip just above the coin.
  p.FillRect(8, 10, 6, 6, colour::kGold);
  p.FillRect(8, 10, 2, 6, colour::kGoldLight);
  p.FillPolygon({{3, 16}, {19, 16}, {11, 23}}, colour::kGold);
  p.FillPolygon({{3, 16}, {11, 16}, {11, 23}}, colour::kGoldLight);
  p.FillRect(3, 16, 16, 1, colour::kGoldDark);
  // Sparkles left and right of the coin.
  Sparkle(p, 1, 27, colour::kGoldLight);
  Sparkle(p, 20, 30, colour::kGoldLight);
  Sparkle(p, 1, 35, Rgb{255, 200, 80});
  Sparkle(p, 20, 37, Rgb{255, 200, 80});
  return p;
}

}  // namespace artgen
