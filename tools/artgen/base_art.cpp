// base.bmp: side walls, the playfield the pusher shoves coins across, the
// front edge they fall over (canvas y 350 or so, just past the payout line at
// 343) and the tray below it where paid-out coins land.
#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr int kWidth = asset::kBasePicture.width;
constexpr int kHeight = asset::kBasePicture.height;
constexpr int kWall = 8;
constexpr int kEdgeTop = 200;  // canvas y 350
constexpr int kFrontTop = 207;

void Playfield(Picture& p) {
  p.GradientRect(kWall, 0, kWidth - 2 * kWall, kEdgeTop, colour::kFieldBack, colour::kFieldFront);
  for (int y = 0; y < kEdgeTop; ++y)
    for (int x = kWall; x < kWidth - kWall; ++x) {
      // Broad soft sheen bands, as on polished glass.
      const int d = (x * 2 + y) % 90;
      if (d < 14) p.Tint(x, y, Rgb{110, 160, 220}, 0.07 * (1.0 - d / 14.0));
      // A fine stud pattern that gives the floor a surface.
      if ((x - kWall) % 12 == 6 && y % 12 == 6) p.Tint(x, y, Rgb{140, 190, 240}, 0.35);
    }
  // The walls shade the floor along their feet.
  for (int i = 0; i < 4; ++i)
    for (int y = 0; y < kEdgeTop; ++y) {
      p.Tint(kWall + i, y, kBlack, 0.45 - 0.1 * i);
      p.Tint(kWidth - kWall - 1 - i, y, kBlack, 0.45 - 0.1 * i);
    }
  // The upper cabinet overhangs the back of the field and shades it.
  for (int y = 0; y < 32; ++y)
    for (int x = kWall; x < kWidth - kWall; ++x) p.Tint(x, y, kBlack, 0.6 * (1.0 - y / 32.0));
  // The last stretch before the edge catches more light.
  for (int y = kEdgeTop - 10; y < kEdgeTop; ++y)
    for (int x = kWall; x < kWidth - kWall; ++x) p.Tint(x, y, Rgb{90, 150, 210}, 0.02 * (y - kEdgeTop + 10));
}

void Walls(Picture& p) {
  for (int side = 0; side < 2; ++side) {
    const int x0 = side == 0 ? 0 : kWidth - kWall;
    p.GradientRect(x0, 0, kWall, kHeight, colour::kBodyLight, colour::kBodyDark);
    const int trim = side == 0 ? kWall - 3 : x0 + 1;
    p.FillRect(trim, 0, 2, kFrontTop, colour::kGold);
    p.FillRect(side == 0 ? trim : trim + 1, 0, 1, kFrontTop, colour::kGoldLight);
    p.FillRect(side == 0 ? 0 : kWidth - 1, 0, 1, kHeight, colour::kGoldDark);
  }
}

void FrontEdge(Picture& p) {
  p.FillRect(0, kEdgeTop, kWidth, 1, colour::kChromeLight);
  p.FillRect(0, kEdgeTop + 1, kWidth, 1, kWhite);
  p.GradientRect(0, kEdgeTop + 2, kWidth, 4, colour::kChrome, colour::kChromeDark);
  p.FillRect(0, kEdgeTop + 6, kWidth, 1, Rgb{20, 12, 30});
}

void FrontPanel(Picture& p) {
  p.GradientRect(0, kFrontTop, kWidth, kHeight - kFrontTop, colour::kBody, colour::kBodyDark);
  p.FillRect(0, kFrontTop + 1, kWidth, 1, colour::kGold);
  // The payout tray, a dark trough with a gold rim.
  const int left = 12, top = kFrontTop + 4, w = kWidth - 24, h = kHeight - kFrontTop - 8;
  p.FillRect(left - 1, top - 1, w + 2, h + 2, colour::kGoldDark);
  p.FillRect(left, top, w, h, colour::kGold);
  p.GradientRect(left + 1, top + 1, w - 2, h - 2, Rgb{6, 2, 12}, Rgb{34, 20, 54});
  p.FillRect(left + 1, top + h - 3, w - 2, 1, Rgb{70, 50, 100});
  // Corner lamps either side of the tray.
  for (int side = 0; side < 2; ++side) {
    const double cx = side == 0 ? 5.5 : kWidth - 5.5;
    p.FillEllipse(cx, kFrontTop + 16.5, 3.0, 3.0, colour::kBodyDark);
    p.FillEllipse(cx, kFrontTop + 16.5, 2.2, 2.2, colour::kLampWarm);
  }
}

void RoundBottomCorners(Picture& p) {
  constexpr int r = 6;
  for (int y = 0; y < r; ++y)
    for (int x = 0; x < r; ++x) {
      const double dx = r - x - 0.5, dy = r - y - 0.5;
      if (dx * dx + dy * dy > r * r) {
        p.Clear(x, kHeight - 1 - y);
        p.Clear(kWidth - 1 - x, kHeight - 1 - y);
      }
    }
}

}  // namespace

Picture DrawCabinetBase() {
  Picture p(kWidth, kHeight);
  Playfield(p);
  Walls(p);
  FrontEdge(p);
  FrontPanel(p);
  RoundBottomCorners(p);
  return p;
}

}  // namespace artgen
