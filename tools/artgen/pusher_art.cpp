// bar.bmp: the pusher table. The file is 189 x 103, the size at the middle
// stroke; the game stretches it from 181 x 87 to 191 x 107. Every line is at
// least two pixels thick and every band at least four, so no detail vanishes
// when rows or columns are dropped, and the front face keeps its look.
// The slab is opaque to its corners: a stretch that merges pixels of mask
// and image separately can then never leave a half-transparent seam.
#include <cmath>

#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr int kWidth = asset::kPusherTablePicture.width;
constexpr int kHeight = asset::kPusherTablePicture.height;
constexpr int kFaceTop = 92;  // the front face, which meets the coins
constexpr int kBevel = 5;

void Surface(Picture& p) {
  p.GradientRect(0, 0, kWidth, kFaceTop, Rgb{120, 128, 146}, Rgb{200, 208, 222});
  // Grooves running front to back, two pixels wide.
  for (int x = 14; x < kWidth - 10; x += 16)
    for (int y = 0; y < kFaceTop - 3; ++y) {
      p.Tint(x, y, Rgb{60, 66, 84}, 0.35);
      p.Tint(x + 1, y, kWhite, 0.25);
    }
  // A soft highlight band along the middle.
  for (int y = 0; y < kFaceTop; ++y)
    for (int x = 70; x < 120; ++x) {
      const double t = 1.0 - std::abs(x - 95) / 25.0;
      p.Tint(x, y, kWhite, 0.10 * t);
    }
}

void SideBevels(Picture& p) {
  for (int y = 0; y < kFaceTop; ++y)
    for (int i = 0; i < kBevel; ++i) {
      const double t = 0.55 - 0.1 * i;
      p.Tint(i, y, Rgb{40, 44, 60}, t);
      p.Tint(kWidth - 1 - i, y, Rgb{40, 44, 60}, t);
    }
  p.FillRect(kBevel, 0, 2, kFaceTop, colour::kChromeLight);
  p.FillRect(kWidth - kBevel - 2, 0, 2, kFaceTop, colour::kChromeLight);
}

void FrontFace(Picture& p) {
  p.FillRect(0, kFaceTop - 3, kWidth, 3, kWhite);  // the lit front rim
  p.GradientRect(0, kFaceTop, kWidth, 8, Rgb{214, 46, 52}, Rgb{120, 16, 30});
  p.FillRect(0, kFaceTop + 1, kWidth, 2, Rgb{255, 120, 110});
  // Gold studs along the bumper.
  for (int x = 12; x < kWidth - 8; x += 22) p.FillRect(x, kFaceTop + 4, 4, 3, colour::kGold);
  p.FillRect(0, kHeight - 3, kWidth, 3, Rgb{40, 10, 20});
}

}  // namespace

Picture DrawPusherTable() {
  Picture p(kWidth, kHeight);
  Surface(p);
  SideBevels(p);
  FrontFace(p);
  return p;
}

}  // namespace artgen
