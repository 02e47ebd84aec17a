// back.bmp: the cabinet's back wall and side pillars. Only the pillars beside
// the upper cabinet show in play; the rest lies under the other pieces but is
// painted alike, so a gap anywhere still looks like the same machine.
#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr int kWidth = asset::kBackWallPicture.width;
constexpr int kHeight = asset::kBackWallPicture.height;
constexpr int kPillar = 25;  // the upper cabinet starts 25 pixels in

void Pillar(Picture& p, int x0, bool left) {
  p.GradientRect(x0, 0, kPillar, kHeight, colour::kBodyLight, colour::kBodyDark);
  const int outer = left ? x0 : x0 + kPillar - 2;
  const int inner = left ? x0 + kPillar - 3 : x0;
  p.FillRect(outer, 0, 2, kHeight, colour::kGold);
  p.FillRect(left ? outer + 2 : outer - 1, 0, 1, kHeight, colour::kGoldDark);
  p.FillRect(inner, 0, 3, kHeight, colour::kChrome);
  p.FillRect(left ? inner : inner + 2, 0, 1, kHeight, colour::kChromeLight);
  // A column of marquee bulbs, warm and red by turns.
  const double cx = x0 + kPillar / 2.0 + (left ? 0.0 : 0.0);
  for (int i = 0, y = 10; y < kHeight - 6; y += 13, ++i) {
    p.FillEllipse(cx, y + 0.5, 4.5, 4.5, colour::kBodyDark);
    p.FillEllipse(cx, y + 0.5, 3.5, 3.5, i % 2 ? colour::kLampRed : colour::kLampWarm);
    p.FillEllipse(cx - 1, y - 0.5, 1.2, 1.2, kWhite);
  }
}

}  // namespace

Picture DrawBackWall() {
  Picture p(kWidth, kHeight);
  p.GradientRect(0, 0, kWidth, kHeight, colour::kBody, colour::kBodyDark);
  Pillar(p, 0, true);
  Pillar(p, kWidth - kPillar, false);
  // Rounded top corners; the canvas around the cabinet is black.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const double dx = 6 - x - 0.5, dy = 6 - y - 0.5;
      if (dx * dx + dy * dy > 36) {
        p.Set(x, y, kBlack);
        p.Set(kWidth - 1 - x, y, kBlack);
      }
    }
  return p;
}

}  // namespace artgen
