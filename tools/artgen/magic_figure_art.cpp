// magic.bmp: a wizard in a starry robe who stands on the playfield while the
// magic countdown runs, his wand raised with a glowing star on its tip.
#include <cmath>

#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr Rgb kRobe{104, 48, 176};
constexpr Rgb kRobeDark{58, 22, 110};
constexpr Rgb kHat{52, 40, 150};
constexpr Rgb kSkin{242, 200, 160};
constexpr Rgb kBeard{236, 236, 244};
constexpr Rgb kBeardShade{176, 176, 196};
constexpr Rgb kStar{255, 220, 70};

std::vector<Point> Star(double cx, double cy, double outer, double inner) {
  std::vector<Point> corners;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = -1.5707963 + i * 3.14159265 / 5;
    corners.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return corners;
}

void Twinkle(Picture& p, int x, int y) {
  p.Set(x, y, kWhite);
  p.Set(x - 1, y, kStar);
  p.Set(x + 1, y, kStar);
  p.Set(x, y - 1, kStar);
  p.Set(x, y + 1, kStar);
}

}  // namespace

Picture DrawMagicFigure() {
  Picture p(asset::kMagicPicture.width, asset::kMagicPicture.height);
  // Robe, darker at the hem, with a gold seam and hem.
  const std::vector<Point> robe{{14, 35}, {30, 35}, {39, 82}, {5, 82}};
  p.ForEachIn([&](double x, double y) { return InsidePolygon(robe, x, y); },
              [&](int x, int y) { p.Set(x, y, Mix(kRobe, kRobeDark, (y - 35) / 50.0 + (x < 12 ? 0.2 : 0.0))); });
  p.FillRect(21, 50, 2, 30, colour::kGold);
  p.FillRect(6, 79, 33, 3, colour::kGold);
  p.FillRect(6, 79, 33, 1, colour::kGoldLight);
  for (const Point& s : {Point{12, 60}, Point{30, 66}, Point{16, 72}, Point{29, 48}}) Twinkle(p, int(s.x), int(s.y));
  // Shoes peeping out under the hem.
  p.FillEllipse(14, 82.5, 4, 1.6, Rgb{60, 30, 20});
  p.FillEllipse(30, 82.5, 4, 1.6, Rgb{60, 30, 20});
  // The left sleeve hangs; the right arm lifts the wand.
  p.DrawLine({15, 40}, {10, 58}, 6, kRobeDark);
  p.FillEllipse(10, 60, 2.6, 2.6, kSkin);
  p.DrawLine({37, 36}, {44, 13}, 2, Rgb{120, 72, 36});
  p.DrawLine({29, 41}, {36, 33}, 6, kRobe);
  p.FillEllipse(37, 33, 2.8, 2.8, kSkin);
  p.FillEllipse(43.5, 10.5, 2.5, 2.5, Rgb{255, 250, 200});
  p.FillPolygon(Star(42, 10, 4.2, 1.8), kStar);
  p.Set(42, 10, kWhite);
  // Face and the long beard.
  p.FillEllipse(22, 31, 6, 5, kSkin);
  p.Set(20, 30, Rgb{40, 30, 60});
  p.Set(24, 30, Rgb{40, 30, 60});
  p.Set(22, 32, Rgb{230, 140, 130});
  p.FillPolygon({{15, 33}, {29, 33}, {27, 44}, {22, 54}, {17, 44}}, kBeard);
  p.FillPolygon({{22, 36}, {27, 36}, {25, 45}, {22, 54}}, kBeardShade);
  p.FillRect(19, 35, 6, 1, kBeardShade);
  // The hat: a tall cone bent at the tip, a gold band and a wide brim.
  p.FillPolygon({{13, 26}, {31, 26}, {27, 8}, {31, 2}, {23, 6}}, kHat);
  p.FillRect(14, 21, 17, 3, colour::kGold);
  p.FillEllipse(22, 26.5, 14, 2.6, Rgb{40, 28, 120});
  p.FillPolygon(Star(22, 14, 3.0, 1.3), kStar);
  p.Set(27, 5, kStar);
  // Sparkles of the spell in the air around him.
  Twinkle(p, 36, 3);
  Twinkle(p, 4, 14);
  Twinkle(p, 40, 24);
  Twinkle(p, 3, 40);
  return p;
}

}  // namespace artgen
